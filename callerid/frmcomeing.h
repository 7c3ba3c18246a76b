#pragma once
// The call-record window: one call of the call log with its number, time,
// note and recording, which it plays; the note is saved, the call deleted
// together with its recording, and the caller's customer looked up.
#include "platform/ui/form.h"

#include <cstdint>

namespace media { class Player; }

namespace callerid {

class FrmComeing : public ui::Form {
    Q_OBJECT

public:
    FrmComeing();

    void command1_Click();
    void Image1_Click();
    void Image2_Click();
    void Image3_Click();

protected:
    void Form_Load() override;
    void Form_Unload() override;
    void Form_Paint() override;

private:
    void showCall(db::Recordset& call);

    media::Player* WindowsMediaPlayer1 = nullptr;
    std::int32_t id_ = 0;   // the call shown, kept from the load step
};

} // namespace callerid
