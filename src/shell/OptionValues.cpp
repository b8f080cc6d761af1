#include "shell/OptionValues.h"

namespace shell {

execution::Settings optionDialogStartValues()
{
    if (execution::Settings::keyExists())
        return execution::Settings::read();
    execution::Settings values;
    values.DisplaySplash = false;
    return values;
}

execution::Settings defaultBoxValues()
{
    execution::Settings values;
    values.Minimized = false;
    values.HideTray = false;
    values.DisplaySplash = false;
    values.WhenClose = 0;
    values.LogFileName = QStringLiteral("Vantone.log");
    values.MaxLogFileSize = 0;
    values.SummaryClr = 0x008000u;
    values.InfoClr = 0xFF0000u;
    values.WarningClr = 0x00FFFFu;
    values.ErrorClr = 0x0000FFu;
    values.ThrdPRI = 1;
    return values;
}

} // namespace shell
