// Construction and the always-on-top option of the overlay.
#include "app/TfrmMain.h"

namespace tallyvox {

TfrmMain::TfrmMain(OverlayView& view, HotKeyRegistrar& hotKeys, WorkerPoster& worker)
    : view_(view), hotKeys_(hotKeys), worker_(worker) {}

void TfrmMain::ApplyTopMost(std::int32_t value) {
    topMost = value;
    view_.SetTopMost(value != 0);
}

}  // namespace tallyvox
