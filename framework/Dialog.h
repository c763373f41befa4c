#pragma once
// The dialog base: runs a dialog template modally or modelessly, keeps `this` with the window
// and hands messages to virtual member handlers. Data moves between members and controls in
// two explicit steps: WriteControls at initialisation, ReadControls when OK is pressed.

#include <windows.h>

#include <functional>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace torvin {

class Dialog {
  public:
    Dialog(int templateId, HWND parent);
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog until it ends; returns the value it ended with (IDOK, IDCANCEL, ...),
    // or -1 when the template could not be created.
    INT_PTR RunModal();
    // Creates the dialog without a modal loop (tests drive it by messages); null on failure.
    HWND CreateModeless();

    HWND Window() const { return window_; }
    HWND Item(int id) const { return GetDlgItem(window_, id); }
    int TemplateId() const { return templateId_; }
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    // Ends the dialog with the result; a modeless one is hidden and remembers the result.
    void End(INT_PTR result);

    // Presses a button the way a click does (the control sends its command to the dialog).
    void Click(int id) const;

    // Tests answer modal dialogs through this: the observer is called with every dialog that
    // runs modally, once its modal loop is running. Returns the previous observer.
    using ModalObserver = std::function<void(Dialog&)>;
    // A dialog made without a parent runs owned by this window (the main window), which it
    // disables while it runs, so no command can start under an open notice.
    static void SetDefaultOwner(HWND owner);
    static ModalObserver SetModalObserver(ModalObserver observer);

    // Text of a control in UTF-16, and as CP932 bytes (nothing when CP932 cannot hold it).
    std::wstring ItemText(int id) const;
    std::optional<std::string> ItemTextCp932(int id) const;
    void SetItemText(int id, std::wstring_view text) const;
    void SetItemTextCp932(int id, std::string_view text) const;
    // Position of the checked button of a radio group given in group order; -1 when none is.
    int CheckedRadio(std::initializer_list<int> group) const;
    // Checks the button at the position and clears the others (none for an index outside).
    void CheckRadio(std::initializer_list<int> group, int index) const;
    void EnableItem(int id, bool enable) const;
    // Clears the caption style and has the frame recomputed at once.
    void RemoveCaption() const;

  protected:
    // Default: WriteControls, then true (the platform focuses the first control).
    virtual BOOL OnInit();
    // Handled commands return true. Default: IDOK runs OnOK, IDCANCEL runs OnCancel.
    virtual bool OnCommand(WORD code, WORD id, HWND control);
    // Handled notifications return true and set the result for the sender.
    virtual bool OnNotify(int id, NMHDR& header, LRESULT& result);
    // Default: ReadControls, and End(IDOK) when it accepted the data.
    virtual void OnOK();
    virtual void OnCancel();
    // Any other message; return the dialog procedure's value in result when handled.
    virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR& result);

    virtual void WriteControls() {}
    // False keeps the dialog open (the data was refused and the user told why).
    virtual bool ReadControls() { return true; }

    // Sets the value a message like WM_NOTIFY returns to its sender.
    void SetMessageResult(LRESULT result) const;

  private:
    // The templates carry no position, so a modal dialog opens centred over its owner (or the
    // screen) instead of in the corner.
    void CentreOnOwner() const;
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    HWND parent_;
    HWND window_ = nullptr;
    bool modal_ = false;
    bool ended_ = false;
    INT_PTR result_ = 0;
};

}  // namespace torvin
