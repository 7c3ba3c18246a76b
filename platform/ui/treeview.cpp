#include "platform/ui/treeview.h"

#include "platform/ui/desktop.h"
#include "platform/ui/keypress.h"

#include <QDir>
#include <QIcon>

namespace ui {
namespace {

constexpr int kKeyRole = Qt::UserRole;
constexpr int kPictureRole = Qt::UserRole + 1;

QString keyOf(const QTreeWidgetItem* item)
{
    return item ? item->data(0, kKeyRole).toString() : QString();
}

} // namespace

TreeView::TreeView(QWidget* parent) : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setColumnCount(1);
    setRootIsDecorated(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    connect(this, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item) { nodeClicked(item); });
}

void TreeView::setImageList(const QStringList& pictureFiles)
{
    pictureFiles_ = pictureFiles;
}

void TreeView::clearNodes()
{
    nodes_.clear();
    clear();
}

bool TreeView::addNode(const QString& parentKey, const QString& key, const QString& caption, int picture)
{
    if (key.isEmpty() || nodes_.contains(key)) return false;
    QTreeWidgetItem* parent = nullptr;
    if (!parentKey.isEmpty()) {
        parent = nodes_.value(parentKey);
        if (!parent) return false;
    }
    auto* node = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
    node->setText(0, caption);
    node->setData(0, kKeyRole, key);
    node->setData(0, kPictureRole, picture);
    if (picture >= 1 && picture <= pictureFiles_.size()) {
        const QString& file = pictureFiles_.at(picture - 1);
        node->setIcon(0, QIcon(QDir::isRelativePath(file) ? programPath(file) : file));
    }
    nodes_.insert(key, node);
    return true;
}

void TreeView::expandAllNodes()
{
    expandAll();
}

QStringList TreeView::keys() const
{
    QStringList all;
    for (QTreeWidgetItemIterator it(const_cast<TreeView*>(this)); *it; ++it) all << keyOf(*it);
    return all;
}

QString TreeView::caption(const QString& key) const
{
    const QTreeWidgetItem* node = nodes_.value(key);
    return node ? node->text(0) : QString();
}

int TreeView::picture(const QString& key) const
{
    const QTreeWidgetItem* node = nodes_.value(key);
    return node ? node->data(0, kPictureRole).toInt() : 0;
}

QString TreeView::parentKey(const QString& key) const
{
    const QTreeWidgetItem* node = nodes_.value(key);
    return node ? keyOf(node->parent()) : QString();
}

QStringList TreeView::childKeys(const QString& key) const
{
    QStringList children;
    if (const QTreeWidgetItem* node = nodes_.value(key))
        for (int i = 0; i < node->childCount(); ++i) children << keyOf(node->child(i));
    return children;
}

bool TreeView::isExpandedNode(const QString& key) const
{
    const QTreeWidgetItem* node = nodes_.value(key);
    return node && node->isExpanded();
}

QString TreeView::selectedKey() const
{
    const QList<QTreeWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : keyOf(selected.first());
}

bool TreeView::clickNode(const QString& key)
{
    QTreeWidgetItem* node = nodes_.value(key);
    if (!node || !isEnabled()) return false;
    nodeClicked(node);
    return true;
}

bool TreeView::clickNodeByCaption(const QString& caption)
{
    for (QTreeWidgetItemIterator it(this); *it; ++it)
        if ((*it)->text(0) == caption) return clickNode(keyOf(*it));
    return false;
}

void TreeView::nodeClicked(QTreeWidgetItem* item)
{
    if (!item) return;
    setCurrentItem(item);
    fire(onNodeClick, keyOf(item));
}

} // namespace ui
