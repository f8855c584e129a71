// A library planted in the program's folder: a stand-in winmm.dll beside tallyvox.exe, with Wine
// told (WINEDLLOVERRIDES=winmm=n,b, set by CTest for this suite) to prefer a winmm.dll found on
// the search path to its own, as Windows does for every library outside its known set. The
// program must still speak through the system's winmm and never load the stand-in.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Driver.h"
#include "OverlayFixture.h"
#include "planted/PlantedMarker.h"

namespace tallyvox::e2e {
namespace {

class PlantedLibraryTest : public OverlayFixture {
  protected:
    void SetUp() override {
        if (SoundCapturePath().empty()) GTEST_SKIP() << "needs run_under_wine.sh's sound capture";
        wchar_t overrides[1024] = L"";
        GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 1024);
        ASSERT_NE(std::wstring(overrides).find(L"winmm=n,b"), std::wstring::npos)
            << "run by CTest, which sets TALLYVOX_WINEDLLOVERRIDES=winmm=n,b for this suite";
        const std::wstring planted = EnvPath(L"TALLYVOX_PLANTED_WINMM");
        ASSERT_FALSE(planted.empty()) << "TALLYVOX_PLANTED_WINMM is not set (CTest sets it)";
        ASSERT_TRUE(CopyFileW(planted.c_str(), dir.File(L"winmm.dll").c_str(), FALSE));
        clips = VoiceClipsPcm();
        ClearSoundCapture();
    }
    std::vector<std::string> clips;
};

TEST_F(PlantedLibraryTest, WinmmBesideTheProgramIsNeverLoaded) {
    Start("[Common]\nTimerCounter=1\nIsSecondCounter=1\nLastSecond=3\nSeconds1=5\n");
    DoubleClick(Panel(1));
    ASSERT_TRUE(WaitUntil([&] { return PanelText(1) == L"-1"; }, 9000));
    const std::vector<int> expected{3, 2, 1};
    WaitUntil([&] { return FindClipSequence(ReadSoundCapture(), clips) == expected; }, 4000, 100);
    EXPECT_EQ(FindClipSequence(ReadSoundCapture(), clips), expected)
        << "the clips are played by the system's winmm";
    EXPECT_FALSE(dir.Exists(kPlantedMarkerName)) << "the winmm.dll beside the program was loaded";
}

}  // namespace
}  // namespace tallyvox::e2e
