#pragma once
// The new-opportunity window "新建机会报价": an opportunity of a customer with
// its priced quotation lines, stored as one `chance` row and its `chanceMX`
// rows under a new line key, in one transaction.
#include "pipeline/chancewindow.h"

namespace pipeline {

class AddChance : public ChanceWindow {
public:
    AddChance();

protected:
    void Form_Load() override;
    void command1_Click() override;
};

} // namespace pipeline
