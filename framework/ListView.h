#pragma once
// A thin, non-owning holder of a report-style list view control; wide APIs only.

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>

namespace torvin {

class ListView {
  public:
    ListView() = default;
    explicit ListView(HWND control) : control_(control) {}

    void Attach(HWND control) { control_ = control; }
    HWND Handle() const { return control_; }

    void SetExtendedStyle(DWORD style) const;
    void InsertColumn(int index, std::wstring_view heading, int width) const;
    // Inserts a row at the index (or the end) with its first column's text; returns its index.
    int InsertItem(int row, std::wstring_view text) const;
    void SetSubItem(int row, int column, std::wstring_view text) const;
    std::wstring Text(int row, int column) const;
    bool DeleteItem(int row) const;
    int Count() const;
    // The lowest selected row, -1 when none is.
    int FirstSelected() const;
    void Select(int row, bool selected) const;

  private:
    HWND control_ = nullptr;
};

}  // namespace torvin
