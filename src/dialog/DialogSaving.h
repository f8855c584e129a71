// When a shown settings dialog stores its controls. Every close stores. The system may end
// the process at the end of the session without the dialog ever closing, so the session's end
// stores too while the dialog is open. That end reaches each of the program's top-level
// windows, the overlay's and the dialog's, and it stores once.
#pragma once

namespace tallyvox {

class DialogSaving {
  public:
    // The dialog is shown for use: nothing of this showing is stored yet.
    void Shown();
    // The dialog is hidden without closing (the program is quitting): nothing more stores.
    void Hidden();

    // The user closes the dialog. True when this close stores: the first of a showing.
    bool Close();
    // The session ends (`ending`) or goes on after all. True when this message stores: the
    // first that ends the session while the dialog is shown and not closed.
    bool SessionEnd(bool ending);

  private:
    bool open_ = false;
    bool storedForSessionEnd_ = false;
};

}  // namespace tallyvox
