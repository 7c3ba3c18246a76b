#pragma once
// The new-service window "增加服务反馈": one service feedback of a customer,
// stored as a new row of `service`; the main window then shows the service
// list.
#include "pipeline/servicewindow.h"

namespace pipeline {

class ServiceAdd : public ServiceWindow {
public:
    ServiceAdd();

protected:
    void Form_Load() override;
    void service_end_Click() override;
    void command1_Click() override;
};

} // namespace pipeline
