#include "raii.h"

namespace kit {

XmStr::XmStr(const char* text)
    : s_(XmStringCreateLtoR(const_cast<char*>(text), const_cast<char*>(XmFONTLIST_DEFAULT_TAG))) {}

ItemList::ItemList(const std::vector<std::string>& texts) {
    items_.reserve(texts.size());
    for (const std::string& t : texts)
        items_.push_back(XmStringCreateLocalized(const_cast<char*>(t.c_str())));
}

ItemList::~ItemList() {
    for (XmString s : items_) XmStringFree(s);
}

std::optional<std::string> textOf(XmString s) {
    if (!s) return std::nullopt;
    const XtPtr<char> t(static_cast<char*>(
        XmStringUnparse(s, nullptr, XmCHARSET_TEXT, XmCHARSET_TEXT, nullptr, 0, XmOUTPUT_ALL)));
    if (!t) return std::nullopt;
    return std::string(t.get());
}

}  // namespace kit
