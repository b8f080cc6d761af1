#include "history/VerdictIcon.h"

#include <QApplication>
#include <QStyle>

namespace history {

QIcon verdictIcon(taskstore::Verdict verdict)
{
    QStyle *style = QApplication::style();
    switch (verdict) {
    case taskstore::Verdict::Pass: return style->standardIcon(QStyle::SP_DialogApplyButton);
    case taskstore::Verdict::Fail: return style->standardIcon(QStyle::SP_MessageBoxCritical);
    case taskstore::Verdict::NotEvaluated: break;
    }
    return style->standardIcon(QStyle::SP_MessageBoxQuestion);
}

} // namespace history
