// The failed save's box text, one reason and one remedy for each way the file can refuse.
#include "settings/SaveFailureMessage.h"

namespace tallyvox {

namespace {

struct Explanation {
    std::string reason;
    std::string remedy;
};

// A cause that can be taken away while the program runs: then the next close saves.
const std::string kThenCloseAgain =
    "，然后打开设置窗口再关闭它，这次运行中改过的设置就会全部保存。";

Explanation Explain(const StoreOutcome& outcome) {
    switch (outcome.result) {
        case StoreResult::ReadOnly:
            return {"这个文件是只读的。",
                    "在资源管理器里右键单击这个文件，选择“属性”，取消勾选“只读”" + kThenCloseAgain};
        case StoreResult::AccessDenied:
            return {
                "Windows 拒绝写入这个文件。可能是 Windows 安全中心的“受控制文件夹的访问”"
                "（勒索软件防护）阻止了 Tallyvox，或者程序放在了 C:\\Program Files "
                "这样需要管理员权限的文件夹里。",
                "如果是受控制文件夹的访问：在 Windows 安全中心依次打开“病毒和威胁防护”→"
                "“管理勒索软件防护”→“通过受控制文件夹的访问允许应用”，添加 tallyvox.exe" +
                    kThenCloseAgain +
                    "\n如果是文件夹不能写入：退出 Tallyvox，把程序的文件夹整个移到可以写入"
                    "的地方（例如 D:\\Games\\Tallyvox），从那里启动，再重新设置一次"
                    "（这次运行中的更改会丢失）。"};
        case StoreResult::InUse:
            return {"另一个程序正在使用这个文件（例如 OneDrive、杀毒软件或编辑器）。",
                    "稍等片刻，或者关闭正在使用它的程序" + kThenCloseAgain};
        case StoreResult::Done:
        case StoreResult::Missing:
        case StoreResult::Failed:
            break;
    }
    return {"写入时出错（系统错误代码 " + std::to_string(outcome.systemError) + "）。",
            "检查磁盘是否已满、文件夹是否可以写入" + kThenCloseAgain};
}

}  // namespace

std::string SaveFailureMessage(const StoreOutcome& outcome, std::string_view path) {
    const Explanation explanation = Explain(outcome);
    return "设置未能保存。\n\n文件：" + std::string(path) + "\n原因：" + explanation.reason +
           "\n\n解决办法：" + explanation.remedy +
           "\n\n在那之前，您的更改只在这次运行中有效，下次启动时会恢复为文件里原来的设置。";
}

}  // namespace tallyvox
