#include "callerid/lineerrortext.h"

#include <array>

namespace dSrormat {

namespace {

// Index i holds the text of code 0x80000001 + i; an empty entry is a code
// without a text of its own.
constexpr std::array<const char*, 0x56> kTexts = {
    "Allocated", "Bad Device ID", "Bearer Mode Unavail", "", "Call UnAvail", "Completion Overrun",
    "Conference Full", "Dial Billing", "Dial Dialtone", "Dial Prompt", "Dial Quiet", "Incompatible API Version",
    "Incompatible Ext Version", "Ini File Corrupt", "In Use", "Invalid Address", "Invalid Address ID",
    "Invalid Address Mode", "Invalid Address State", "Invalid App Handle", "Invalid App Name",
    "Invalid Bearer Mode", "Invalid Call Completion Mode", "Invalid Call Handle", "Invalid Call Params",
    "Invalid Call Privilege", "Invalid Call Select", "Invalid Call State", "Invalid Call State List",
    "Invalid Card", "Invalid Completion ID", "Invalid Conf Call Handle", "Invalid Consult Call Handle",
    "Invalid Country Code", "Invalid Device Class", "Invalid Device Handle", "", "Invalid Digit List",
    "Invalid Digit Mode", "Invalid Digits", "Invalid Ext Version", "Invalid Group ID", "Invalid Line Handle",
    "Invalid Line State", "Invalid Location", "Invalid Media List", "Invalid Media Mode", "Invalid Message ID",
    "", "Invalid Param", "Invalid Park ID", "Invalid Park Mode", "Invalid Pointer", "Invalid Priv Select",
    "Invalid Rate", "Invalid Request Mode", "Invalid Terminal ID", "Invalid Terminal Mode", "Invalid Time Out",
    "Invalid Tone", "Invalid Tone List", "Invalid Tone Mode", "Invalid Transfer Mode", "Line Mapper Failed",
    "No Conference", "No Device", "No Driver", "No Memory", "No Request", "Not Owner", "Not Registered",
    "Operation Failed", "Operation Unavailable", "Rate Unavailable", "Resource Unavailable", "Request Overrun",
    "Structure Too Small", "Target Not found", "Target Self", "Uninitialized", "UserUser Info Too Big", "Re-init",
    "Address Blocked", "Billing Rejected", "Invalid Feature", "No Multiple Instance",
};

constexpr std::uint32_t kFirstCode = 0x80000001;

} // namespace

QString LineErrorText(std::uint32_t errorCode)
{
    if (errorCode >= kFirstCode && errorCode - kFirstCode < kTexts.size()) {
        const char* text = kTexts[errorCode - kFirstCode];
        if (*text) return QString::fromLatin1(text);
    }
    return QStringLiteral("Unknown Error");
}

} // namespace dSrormat
