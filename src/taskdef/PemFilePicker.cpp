#include "taskdef/PemFilePicker.h"

#include "platform/DialogService.h"
#include "platform/Language.h"

#include <QFileInfo>
#include <QLineEdit>

namespace taskdef {

void pickPemFile(QLineEdit *edit)
{
    platform::FileRequest request;
    request.filter =
        platform::Language::text("frmTask", "TransportFileFilter", "PEM Files (*.pem *.crt *.key);;All Files (*.*)");
    request.directory = QFileInfo(edit->text()).absolutePath();
    request.fileName = edit->text();
    const QString chosen = platform::DialogService::instance().openFileName(request);
    if (!chosen.isEmpty())
        edit->setText(chosen);
}

} // namespace taskdef
