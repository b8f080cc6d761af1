#pragma once

class QLabel;
class QWidget;

namespace shell {

// The "Web: " and "Email:" lines of the splash and About windows; a click on a link opens
// the home page in the browser or a new mail to the support address.
QLabel *makeWebLink(QWidget *parent);
QLabel *makeMailLink(QWidget *parent);

} // namespace shell
