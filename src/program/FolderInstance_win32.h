// One overlay per folder: the first Tallyvox started from a folder holds a named shared block
// there; a later start from the same folder finds it, asks that overlay into view and ends.
#pragma once

#include <windows.h>

namespace tallyvox {

class FolderInstance {
  public:
    // Claims the running executable's folder. Nothing else has happened yet: no window, no
    // hotkey, no settings read.
    FolderInstance();
    ~FolderInstance();
    FolderInstance(const FolderInstance&) = delete;
    FolderInstance& operator=(const FolderInstance&) = delete;

    // False when another Tallyvox of this folder already runs (or is still starting).
    bool First() const { return first_; }
    // The first: where later starts find its overlay, once it has one.
    void Publish(HWND overlay);
    // A later start: asks the first's overlay into view. One still starting has no overlay to
    // show yet and shows itself soon; one that has just closed has none any more.
    void CallFirst() const;
    // The first's overlay is gone: the folder is free for a new start.
    void Release();

  private:
    struct Shared;
    HANDLE mapping_ = nullptr;
    Shared* shared_ = nullptr;
    bool first_ = true;
};

}  // namespace tallyvox
