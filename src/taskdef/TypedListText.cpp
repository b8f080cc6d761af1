#include "taskdef/TypedListText.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMetaMethod>

namespace taskdef {

void makeTypedList(QComboBox *combo)
{
    combo->setEditable(true);
    combo->setInsertPolicy(QComboBox::NoInsert);
    // The box listens to its line edit's editingFinished only to select the item whose
    // text was typed and to emit activated.
    QObject::disconnect(combo->lineEdit(), QMetaMethod::fromSignal(&QLineEdit::editingFinished), combo, QMetaMethod());
}

} // namespace taskdef
