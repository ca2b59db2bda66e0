// Owners for toolkit resources that must be released by hand, and the
// conversions between compound strings and text.
#pragma once

#include <Xm/Xm.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace kit {

// A compound string made from text (line feeds become line breaks); freed
// when it goes out of scope.
class XmStr {
public:
    explicit XmStr(const char* text);
    explicit XmStr(const std::string& text) : XmStr(text.c_str()) {}
    ~XmStr() {
        if (s_) XmStringFree(s_);
    }
    XmStr(const XmStr&) = delete;
    XmStr& operator=(const XmStr&) = delete;
    operator XmString() const { return s_; }

private:
    XmString s_;
};

// Memory handed out by the toolkit (XtMalloc, XmTextGetString, ...).
struct XtFreer {
    void operator()(void* p) const { XtFree(static_cast<char*>(p)); }
};
template <typename T>
using XtPtr = std::unique_ptr<T, XtFreer>;

// The compound strings of a list's items, freed once the list has copied
// them.
class ItemList {
public:
    explicit ItemList(const std::vector<std::string>& texts);
    ~ItemList();
    ItemList(const ItemList&) = delete;
    ItemList& operator=(const ItemList&) = delete;
    XmStringTable table() { return items_.empty() ? nullptr : items_.data(); }
    int count() const { return static_cast<int>(items_.size()); }

private:
    std::vector<XmString> items_;
};

// The text of a compound string; nothing for a null string.
std::optional<std::string> textOf(XmString s);

}  // namespace kit
