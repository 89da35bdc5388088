#pragma once

// A window for engine tests that keeps only the gauge and the status text.

#include "link/EngineIo.h"

#include <QString>
#include <algorithm>

class QuietWindow : public IEngineWindow {
public:
    int max = 0, progress = 0;
    QString status;
    void DisablePortActions() override {}
    void EnablePortActions() override {}
    void SetGaugeMax(int m) override { max = m; }
    void SetGaugeProgress(int p) override { progress = std::clamp(p, 0, max); }
    int GaugeProgress() const override { return progress; }
    void SetGaugeColor(GaugeColor) override {}
    void SetProgressPanelVisible(bool) override {}
    void SetCancelEnabled(bool) override {}
    void ShowStatus(const QString &text) override { status = text; }
    int refreshes = 0; // the image shown would be drawn again
    void RefreshBuf() override { ++refreshes; }
};
