#include "common/exception.h"

#include "common/utf.h"

E一般例外::E一般例外(std::u16string sMessage)
    : sMessage_(std::move(sMessage)), sUtf8_(Utf16ToUtf8(sMessage_)) {}
