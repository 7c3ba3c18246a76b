// The navigation tree left of the grid: the list views, the new-record
// windows, the two sales analyses for an operator with the report right, and
// one node per customer group, which shows the customers of that group.
#include "mainwin/frmmain.h"

#include "common/database.h"
#include "common/mymode.h"
#include "common/recordscope.h"
#include "common/sqltext.h"
#include "platform/ui/windows.h"

namespace mainwin {
namespace {

const QString kRoot = QStringLiteral("Halvex客户管理系统");
const QString kGroups = QStringLiteral("客户分组");

struct FixedNode {
    const char* parent;   // empty: top level
    const char* caption;  // also the node's key
    int picture;
};

// The nodes before the customer groups, which hang under "客户分组".
constexpr FixedNode kCustomerNodes[] = {
    {"", "Halvex客户管理系统", 2},
    {"Halvex客户管理系统", "客户管理", 13},
    {"客户管理", "新建客户", 19},
    {"客户管理", "客户列表", 13},
    {"客户管理", "客户分组", 13},
};

constexpr int kGroupPicture = 13;

// The nodes after the customer groups.
constexpr FixedNode kRecordNodes[] = {
    {"Halvex客户管理系统", "联系人管理", 5},
    {"联系人管理", "新建联系人", 18},
    {"联系人管理", "联系人列表", 5},
    {"Halvex客户管理系统", "活动管理", 7},
    {"活动管理", "新建活动", 8},
    {"活动管理", "活动列表", 7},
    {"Halvex客户管理系统", "销售管理", 11},
    {"销售管理", "新建机会报价", 9},
    {"销售管理", "机会列表", 12},
    {"销售管理", "新建合同订单", 17},
    {"销售管理", "销售订单", 11},
    {"Halvex客户管理系统", "服务管理", 16},
    {"服务管理", "新建服务反馈", 15},
    {"服务管理", "服务列表", 16},
};

// Only for an operator with the report right.
constexpr FixedNode kAnalysisNodes[] = {
    {"Halvex客户管理系统", "销售分析", 14},
    {"销售分析", "销售趋势分析", 20},
    {"销售分析", "销售构成分析", 14},
};

// What a leaf does, by its caption.
struct Leaf {
    const char* caption;
    enum { Open, List, Analysis, Nothing } action;
    const char* window;   // the window to open (Open, Analysis)
    View view;            // the list to show (List)
};

constexpr Leaf kLeaves[] = {
    {"新建客户", Leaf::Open, "frmCustAdd", View::Customers},
    {"客户列表", Leaf::List, "", View::Customers},
    {"新建联系人", Leaf::Open, "frmAddContect", View::Customers},
    {"联系人列表", Leaf::List, "", View::Contacts},
    {"新建活动", Leaf::Open, "ActionAdd", View::Customers},
    {"活动列表", Leaf::List, "", View::Activities},
    {"新建机会报价", Leaf::Open, "AddChance", View::Customers},
    {"机会列表", Leaf::List, "", View::Opportunities},
    {"新建合同订单", Leaf::Open, "SalesAdd", View::Customers},
    {"销售订单", Leaf::List, "", View::SalesOrders},
    {"新建服务反馈", Leaf::Open, "ServiceAdd", View::Customers},
    {"服务列表", Leaf::List, "", View::ServiceRecords},
    {"邮件群发", Leaf::Nothing, "", View::Customers},
    {"销售趋势分析", Leaf::Analysis, "AnalySalesQs", View::Customers},
    {"销售构成分析", Leaf::Analysis, "AnalySalesGc", View::Customers},
};

// A node whose caption is already a key is left out; so are the nodes below it.
template <std::size_t N>
void addNodes(ui::TreeView* tree, const FixedNode (&nodes)[N])
{
    for (const FixedNode& node : nodes) {
        const QString caption = QString::fromUtf8(node.caption);
        tree->addNode(QString::fromUtf8(node.parent), caption, caption, node.picture);
    }
}

} // namespace

void FrmMain::createTree()
{
    tvTreeView = new ui::TreeView(menuBar_->clientArea());
    tvTreeView->setObjectName(QStringLiteral("tvTreeView"));
    ui::placeTwips(tvTreeView, 0, 1320, 2400, 4800);
    QStringList pictures;
    for (int number = 1; number <= 20; ++number)
        pictures << QStringLiteral("bmp/tree%1.ico").arg(number, 2, 10, QLatin1Char('0'));
    tvTreeView->setImageList(pictures);
    tvTreeView->onNodeClick = [this](const QString&) { tvTreeView_NodeClick(); };
}

// Built once, while the window loads: a group added later shows at the next start.
void FrmMain::buildTree()
{
    tvTreeView->clearNodes();
    addNodes(tvTreeView, kCustomerNodes);
    groupsShown_ = addGroupNodes();
    addNodes(tvTreeView, kRecordNodes);
    if (Mymode::hasRight(QStringLiteral("b_rept=1;"))) addNodes(tvTreeView, kAnalysisNodes);
    tvTreeView->expandAllNodes();
}

// One node per customer group under "客户分组". When the groups cannot be
// read a box says why and the node stays without groups, not as if the shop
// had none: a click on it reads them again.
bool FrmMain::addGroupNodes()
{
    QStringList groups;
    if (!database::read([&groups] {
            auto rows = database::query(QStringLiteral("select * from client_type"));
            for (; !rows->eof(); rows->moveNext()) groups << rows->field(QStringLiteral("client_type")).toText();
        }))
        return false;
    for (const QString& group : groups) tvTreeView->addNode(kGroups, group, group, kGroupPicture);
    tvTreeView->expandAllNodes();
    return true;
}

// A node with children does nothing; a leaf acts on its caption, and a
// caption that names no command is a customer group.
void FrmMain::tvTreeView_NodeClick()
{
    const QString key = tvTreeView->selectedKey();
    if (key == kGroups && !groupsShown_) {
        groupsShown_ = addGroupNodes();
        return;
    }
    if (key.isEmpty() || !tvTreeView->childKeys(key).isEmpty()) return;
    const QString caption = tvTreeView->caption(key);
    for (const Leaf& leaf : kLeaves) {
        if (caption != QString::fromUtf8(leaf.caption)) continue;
        switch (leaf.action) {
        case Leaf::Open: openNewRecord(QString::fromLatin1(leaf.window)); break;
        case Leaf::Analysis: openAnalysis(QString::fromLatin1(leaf.window)); break;
        case Leaf::List:
            // The export and the printouts then take every customer, whatever the scope.
            if (switchToList(leaf.view) && leaf.view == View::Customers)
                Mymode::CustListSql = QStringLiteral("select * from company order by id desc");
            break;
        case Leaf::Nothing: break;
        }
        return;
    }
    showCustomerGroup(caption);
}

// The group's customers within the operator's record scope, newest first;
// the export and the printouts then take the same customers.
void FrmMain::showCustomerGroup(const QString& group)
{
    const QString query = selectList(View::Customers) + recordscope::customerFilterClause()
        + QStringLiteral(" and company_client_type=") + sqltext::quoted(group) + QStringLiteral(" order by id desc");
    if (!showList(View::Customers, query)) return;
    fillSearchCaptions(viewInfo(View::Customers).switchCaptions);
    Mymode::CustListSql = query;
}

} // namespace mainwin
