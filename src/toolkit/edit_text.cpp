// The edit operations. Invariants kept by each: 0 ≤ scroll ≤ length, 0 ≤ column ≤ columns
// and scroll + column ≤ length; the caret may stand one column past the last visible
// character, where the next typed character goes.
#include "toolkit/edit_text.h"

#include <algorithm>

namespace {

constexpr uint32_t kDoubleTapMs = 750;

// Key codes the field acts on.
constexpr int kCtrlA = 1, kBackspace = 8, kEnterKey = 13, kCtrlX = 24;
constexpr int kEnd = 35, kHome = 36, kLeft = 37, kUp = 38, kRight = 39, kDown = 40, kDelete = 46;

// A code that types a character: not a control code, and one UTF-16 unit on its own.
bool typeable(int code) {
    return code >= 32 && code != 127 && code < 0xD800;
}

}  // namespace

void EditText::setup(int maxLength, int columns) {
    maxLength_ = std::max(maxLength, 0);
    columns_ = std::max(columns, 1);
    text_.clear();
    text_.reserve(size_t(maxLength_));
    scroll_ = column_ = 0;
    anchor_ = -1;
    tapped_ = false;
}

void EditText::setText(const char16_t* text) {
    text_.clear();
    for (; text && *text && length() < maxLength_; ++text) text_ += *text;
    scroll_ = column_ = 0;
    anchor_ = -1;
}

bool EditText::insert(char16_t c) {
    if (length() >= maxLength_) return false;
    text_.insert(text_.begin() + caret(), c);
    if (++column_ > columns_) {
        ++scroll_;
        --column_;
    }
    return true;
}

bool EditText::deleteSelection() {
    if (!hasSelection()) {
        anchor_ = -1;
        return false;
    }
    const int from = std::min(anchor_, caret()), to = std::max(anchor_, caret());
    text_.erase(size_t(from), size_t(to - from));
    if (caret() > anchor_) {  // the caret comes back to the selection's start
        scroll_ = anchor_ <= half() ? 0 : anchor_ - half();
        column_ = anchor_ - scroll_;
    }
    anchor_ = -1;
    return true;
}

bool EditText::deleteForward() {
    if (caret() >= length()) return false;
    text_.erase(size_t(caret()), 1);
    return true;
}

bool EditText::deleteBackward() {
    if (caret() == 0) return false;
    moveLeft();
    text_.erase(size_t(caret()), 1);
    return true;
}

void EditText::scrollBack() {
    const int first = scroll_;
    scroll_ = std::max(0, scroll_ - half());
    column_ = first - scroll_;  // the caret on what was the first visible character
}

void EditText::moveLeft() {
    if (caret() == 0) return;
    if (column_ > 0)
        --column_;
    else
        --scroll_;
    if (column_ == 0 && scroll_ > 0) scrollBack();
}

void EditText::moveRight() {
    if (caret() >= length()) return;
    if (++column_ > columns_) {
        ++scroll_;
        column_ = columns_;
    }
}

void EditText::home() {
    scroll_ = column_ = 0;
}

void EditText::end() {
    scroll_ = std::max(0, length() - columns_);
    column_ = length() - scroll_;
}

void EditText::selectAll() {
    end();
    anchor_ = 0;
}

void EditText::tap(int column, uint32_t now) {
    const int before = column_;
    if (column <= 0) {
        column_ = 0;
        scrollBack();
    } else {
        column_ = std::min({column, columns_, length() - scroll_});
    }
    if (tapped_ && now - lastTap_ <= kDoubleTapMs && column_ == before) {
        selectAll();
        tapped_ = false;
        return;
    }
    anchor_ = caret();
    tapped_ = true;
    lastTap_ = now;
}

void EditText::drag(int column) {
    if (column <= 0) {
        column_ = 0;
        scrollBack();
    } else if (column > columns_) {
        scroll_ = std::min(scroll_ + half(), std::max(0, length() - columns_));
        column_ = std::min(columns_, length() - scroll_);
    } else {
        column_ = std::min(column, length() - scroll_);
    }
}

EditText::Result EditText::key(int code, int kind) {
    Result result = kUnchanged;
    if (kind == 1) {
        switch (code) {
            case kCtrlA:
                selectAll();
                return kUnchanged;
            case kCtrlX:
                result = deleteSelection() ? kChanged : kUnchanged;
                break;
            case kEnterKey:
                result = kEnter;
                break;
            default:
                // Copy (3), paste (22), Backspace's character (8) and the control codes the
                // field does not know (Tab, Escape) only end the selection.
                if (!typeable(code)) break;
                if (deleteSelection()) result = kChanged;
                if (insert(char16_t(code))) result = kChanged;
                break;
        }
    } else if (kind == 2) {
        switch (code) {
            case kRight:
            case kDown:
                moveRight();
                break;
            case kLeft:
            case kUp:
                moveLeft();
                break;
            case kDelete:
                result = deleteSelection() || deleteForward() ? kChanged : kUnchanged;
                break;
            case kBackspace:
                result = deleteSelection() || deleteBackward() ? kChanged : kUnchanged;
                break;
            case kEnd:
                end();
                break;
            case kHome:
                home();
                break;
            default:
                // A letter's own key-down comes before its character: the selection must
                // still be there for the character to replace it.
                return kUnchanged;
        }
    }
    anchor_ = -1;
    return result;
}
