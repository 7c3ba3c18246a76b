#pragma once
// The service editing window "修改服务反馈": the service record whose id
// CurrentRecordId held when the window loaded, kept as loaded and saved back
// only while nobody else has changed it.
#include "common/keptrow.h"
#include "pipeline/servicewindow.h"

namespace pipeline {

class ServiceDetal : public ServiceWindow {
public:
    ServiceDetal();

protected:
    void Form_Load() override;
    void command1_Click() override;

private:
    keptrow::KeptRow service_;
};

} // namespace pipeline
