#pragma once
// The maker's web addresses that the main window and the about window show
// and open. They are placeholders under a reserved domain.
#include <QString>

namespace mainwin {

// The support-forum page as the status strip and the about window show it.
inline const QString kSupportAddress = QStringLiteral("www.halvex.example/bbs");
// The addresses the links open.
inline const QString kHomePage = QStringLiteral("http://www.halvex.example/");
inline const QString kSupportPage = QStringLiteral("http://www.halvex.example/bbs");
// The home page as the about window shows it.
inline const QString kHomeAddress = QStringLiteral("www.halvex.example");

} // namespace mainwin
