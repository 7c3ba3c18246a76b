#pragma once
// The maker's web addresses that the main window shows.
#include <QString>

namespace mainwin {

// The support page as the status strip shows it.
inline const QString kSupportAddress = QStringLiteral("www.halvex.com/bbs");

} // namespace mainwin
