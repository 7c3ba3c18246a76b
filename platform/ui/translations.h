#pragma once
// Qt's own texts (file dialogs, standard buttons) and calendars in Chinese:
// the translations installed with Qt (Debian: qt6-translations-l10n) and the
// Chinese locale.
class QCoreApplication;

namespace ui {

// Makes Chinese (China) the default locale, so that Qt's calendars and
// dialogs name months and days in Chinese as the windows do. Called at the
// start, before any widget is made: a widget keeps the locale it was made with.
void useChineseLocale();

// Loads Qt's zh_CN translations into the application; returns false when
// they are not installed (Qt's texts then stay English).
bool loadQtTranslations(QCoreApplication& application);

} // namespace ui
