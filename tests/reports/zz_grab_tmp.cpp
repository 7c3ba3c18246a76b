#include "platform/ui/windows.h"
#include "tests/reports/printout_fixture.h"
#include <QApplication>
TEST_F(CustomerPrintouts, ZZGrab) {
  addNumberedCustomers(12); setCustomerList();
  for (QString k : {"DataReport1","DataReport2"}) { auto* w = ui::Windows::open(k); QApplication::processEvents(); w->grab().save("/tmp/grab_"+k+".png"); }
}
