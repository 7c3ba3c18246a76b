#include "tests/support/scratch.h"
#include "platform/ui/windows.h"
using Shot = ScratchProgram;
TEST_F(Shot, tmp) {
    exec("insert into client_type (client_type) values ('VIP')");
    auto* f = ui::Windows::open("setclient_type"); f->grab().save("/tmp/ref.png");
    auto* g = ui::Windows::open("frmUserManage"); g->control<ui::DataGrid>("DataGrid1")->setCurrentRow(0); g->grab().save("/tmp/um.png");
    auto* h = ui::Windows::open("SetMoneyType"); h->grab().save("/tmp/money.png");
}
