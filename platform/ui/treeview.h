#pragma once
// A tree of nodes, each with a unique key, a caption and a picture from the
// tree's picture list. Nodes are found by key; a click on a node selects it
// and fires NodeClick with the node's key.
#include <QHash>
#include <QStringList>
#include <QTreeWidget>
#include <functional>

namespace ui {

class TreeView : public QTreeWidget {
    Q_OBJECT
public:
    explicit TreeView(QWidget* parent);

    // The picture list; a node names its picture by its 1-based number. A
    // relative path is in the program folder; a missing file shows no picture.
    void setImageList(const QStringList& pictureFiles);

    // Removes every node.
    void clearNodes();
    // Adds a node as the last child of the node `parentKey` (empty: at the
    // top level). Nothing is added, and false returned, when the key is empty
    // or taken or no node has the parent key.
    bool addNode(const QString& parentKey, const QString& key, const QString& caption, int picture);
    void expandAllNodes();

    bool hasNode(const QString& key) const { return nodes_.contains(key); }
    int nodeCount() const { return int(nodes_.size()); }
    // Every key, from the first node to the last as the tree shows them opened.
    QStringList keys() const;
    QString caption(const QString& key) const;
    int picture(const QString& key) const;       // 0 for an unknown key
    QString parentKey(const QString& key) const; // empty at the top level
    QStringList childKeys(const QString& key) const;
    bool isExpandedNode(const QString& key) const;

    // The selected node's key, empty when none is selected.
    QString selectedKey() const;

    // As if the operator clicked the node: selects it and fires NodeClick.
    // False when there is no such node or the tree is disabled.
    bool clickNode(const QString& key);
    // The same for the first node, in tree order, with this caption.
    bool clickNodeByCaption(const QString& caption);

    std::function<void(const QString& key)> onNodeClick;

private:
    void nodeClicked(QTreeWidgetItem* item);

    QHash<QString, QTreeWidgetItem*> nodes_;
    QStringList pictureFiles_;
};

} // namespace ui
