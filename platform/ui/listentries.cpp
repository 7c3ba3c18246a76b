#include "platform/ui/listentries.h"

#include <QEvent>

namespace ui {
namespace {

// Lives as a child of its list and reads the source again before the list is
// used: on the focus (Tab, a click, the window coming back to the front) and
// on a press, which drops the list down even when it has the focus already.
class EntryRefresher : public QObject {
public:
    EntryRefresher(ComboBox* list, std::function<QStringList()> read)
        : QObject(list), list_(list), read_(std::move(read))
    {
        list->installEventFilter(this);
    }

    void addMissing()
    {
        for (const QString& entry : read_())
            if (list_->findText(entry, Qt::MatchExactly) < 0) list_->addItem(entry);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == list_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::MouseButtonPress))
            addMissing();
        return false;
    }

private:
    ComboBox* list_;
    std::function<QStringList()> read_;
};

} // namespace

void offerEntries(ComboBox* list, std::function<QStringList()> read)
{
    // The first fill keeps every entry as it comes, repeated ones included.
    for (const QString& entry : read()) list->addItem(entry);
    new EntryRefresher(list, std::move(read));
}

} // namespace ui
