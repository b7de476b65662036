#include "framework/HTMLViewer.h"

#include <QTextBrowser>

#include "framework/QtSupport.h"

namespace fw {

HTMLViewer::HTMLViewer(Window& window) : Control(window) {
  auto* browser = new QTextBrowser;
  browser->setOpenLinks(false);
  browser->setOpenExternalLinks(false);
  SetWidget(browser);
}

void HTMLViewer::LoadPage(const std::string& html) {
  source_ = html;
  static_cast<QTextBrowser*>(Widget())->setHtml(QtSupport::ToQ(html));
}

std::string HTMLViewer::PlainText() const {
  return QtSupport::FromQ(static_cast<QTextBrowser*>(Widget())->toPlainText());
}

}  // namespace fw
