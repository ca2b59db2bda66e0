// Owners for toolkit resources that must be released by hand.
#pragma once

#include <Xm/Xm.h>

#include <memory>

// A compound string made from a C string; freed when it goes out of scope.
class XmStr {
public:
    explicit XmStr(const char* text)
        : s_(XmStringCreateLtoR(const_cast<char*>(text),
                                const_cast<char*>(XmFONTLIST_DEFAULT_TAG))) {}
    ~XmStr() { if (s_) XmStringFree(s_); }
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
