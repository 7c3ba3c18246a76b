#pragma once
// Qt's own texts (file dialogs, standard buttons) in Chinese, from the
// translations installed with Qt (Debian: qt6-translations-l10n).
class QCoreApplication;

namespace ui {

// Loads Qt's zh_CN translations into the application; returns false when
// they are not installed (Qt's texts then stay English).
bool loadQtTranslations(QCoreApplication& application);

} // namespace ui
