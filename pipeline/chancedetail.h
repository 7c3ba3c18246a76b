#pragma once
// The opportunity editor "修改机会报价": the opportunity whose id
// CurrentRecordId held when the window loaded, with its quotation lines; the
// save rewrites the header and replaces the lines in one transaction, only
// while nobody else has changed the opportunity.
#include "common/keptrow.h"
#include "pipeline/chancewindow.h"

namespace pipeline {

class ChanceDetail : public ChanceWindow {
public:
    ChanceDetail();
    // Closes the editor and opens the conversion of a quotation into an
    // order; no command of the program calls it.
    void OpenConvertToOrder();

protected:
    void Form_Load() override;
    void command1_Click() override;

private:
    keptrow::KeptRow chance_;
};

} // namespace pipeline
