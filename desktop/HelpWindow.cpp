#include "desktop/HelpWindow.h"

#include <QAbstractTextDocumentLayout>
#include <QDesktopServices>
#include <QFile>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>
#include <QUrl>

namespace qv {

namespace {

constexpr int kSectionRole = Qt::UserRole;

// Where each heading of the rendered document is, in the order of the Markdown's headings.
std::vector<QTextBlock> HeadingBlocks(const QTextDocument* document) {
  std::vector<QTextBlock> blocks;
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() > 0) {
      blocks.push_back(block);
    }
  }
  return blocks;
}

}  // namespace

HelpGuide ParseHelpGuide(const QString& text) {
  static const QRegularExpression anchor_line(R"re(^\s*<a id="([A-Za-z0-9_-]+)"></a>\s*$)re");
  static const QRegularExpression heading_line(R"(^(#{1,6})\s+(.*?)\s*#*\s*$)");
  HelpGuide guide;
  QStringList shown;
  QString pending_anchor;
  bool in_code = false;
  for (const QString& line : text.split('\n')) {
    const QString trimmed = line.trimmed();
    if (trimmed.startsWith("```")) {
      in_code = !in_code;
    }
    if (!in_code) {
      if (const QRegularExpressionMatch anchor = anchor_line.match(line); anchor.hasMatch()) {
        pending_anchor = anchor.captured(1);
        continue;
      }
      if (const QRegularExpressionMatch heading = heading_line.match(line); heading.hasMatch()) {
        guide.sections.push_back(HelpSection{
            pending_anchor, static_cast<int>(heading.captured(1).size()), heading.captured(2)});
        pending_anchor.clear();
      }
    }
    shown.push_back(line);
  }
  guide.markdown = shown.join('\n');
  return guide;
}

HelpWindow::HelpWindow(QWidget* parent) : QDialog(parent) {
  setObjectName("frmHelp");
  setWindowTitle("Quorvant Instructor Help");
  setWindowFlag(Qt::WindowMaximizeButtonHint);
  setSizeGripEnabled(true);
  auto* splitter = new QSplitter(this);
  contents_ = new QTreeWidget(splitter);
  contents_->setObjectName("tvwContents");
  contents_->setHeaderHidden(true);
  contents_->setRootIsDecorated(true);
  browser_ = new QTextBrowser(splitter);
  browser_->setObjectName("txtHelp");
  browser_->setOpenLinks(false);
  splitter->addWidget(contents_);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(0, 1);
  splitter->setStretchFactor(1, 3);
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(splitter);
  // Wide enough for a table of the guide beside its contents, on the smallest screens.
  resize(900, 620);
  splitter->setSizes({220, 680});

  connect(contents_, &QTreeWidget::currentItemChanged, this,
          [this](QTreeWidgetItem* item) { ShowItem(item); });
  connect(browser_, &QTextBrowser::anchorClicked, this,
          [this](const QUrl& url) { FollowLink(url); });
}

void HelpWindow::Load(const QString& path) {
  QFile file(path);
  contents_->clear();
  items_.clear();
  sections_.clear();
  if (!file.open(QIODevice::ReadOnly)) {
    browser_->setPlainText("The instructor's guide was not found at " + path + ".");
    return;
  }
  HelpGuide guide = ParseHelpGuide(QString::fromUtf8(file.readAll()));
  browser_->setMarkdown(guide.markdown);
  sections_ = std::move(guide.sections);
  // Each heading hangs below the nearest heading of a higher level before it.
  std::vector<QTreeWidgetItem*> parents;
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    const HelpSection& section = sections_[i];
    while (!parents.empty() && parents.back()->data(0, kSectionRole + 1).toInt() >= section.level) {
      parents.pop_back();
    }
    auto* item =
        parents.empty() ? new QTreeWidgetItem(contents_) : new QTreeWidgetItem(parents.back());
    item->setText(0, section.title);
    item->setData(0, kSectionRole, static_cast<int>(i));
    item->setData(0, kSectionRole + 1, section.level);
    parents.push_back(item);
    items_.push_back(item);
  }
  contents_->expandAll();
}

bool HelpWindow::ShowSection(const QString& anchor) {
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    if (sections_[i].anchor == anchor) {
      contents_->setCurrentItem(items_[i]);
      ShowItem(items_[i]);
      return true;
    }
  }
  return false;
}

QString HelpWindow::current_anchor() const {
  const QTreeWidgetItem* item = contents_->currentItem();
  if (item == nullptr) {
    return {};
  }
  return sections_[static_cast<std::size_t>(item->data(0, kSectionRole).toInt())].anchor;
}

void HelpWindow::ShowItem(QTreeWidgetItem* item) {
  if (item == nullptr) {
    return;
  }
  const auto index = static_cast<std::size_t>(item->data(0, kSectionRole).toInt());
  const std::vector<QTextBlock> blocks = HeadingBlocks(browser_->document());
  if (index >= blocks.size()) {
    return;
  }
  // The heading goes to the top of the view, not merely into it.
  QTextCursor cursor(blocks[index]);
  browser_->setTextCursor(cursor);
  const QRectF place = browser_->document()->documentLayout()->blockBoundingRect(blocks[index]);
  browser_->verticalScrollBar()->setValue(static_cast<int>(place.top()));
}

void HelpWindow::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // The text is laid out again at the window's real width: put the section back on top.
  ShowItem(contents_->currentItem());
}

void HelpWindow::FollowLink(const QUrl& url) {
  if (url.scheme().isEmpty() && url.path().isEmpty() && url.hasFragment()) {
    ShowSection(url.fragment());
    return;
  }
  QDesktopServices::openUrl(url);
}

}  // namespace qv
