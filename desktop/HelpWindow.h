#pragma once

#include <QDialog>
#include <QString>
#include <vector>

class QTextBrowser;
class QTreeWidget;
class QTreeWidgetItem;

namespace qv {

// One heading of the guide and the anchor that context help opens it by.
struct HelpSection {
  QString anchor;  // from the line `<a id="anchor"></a>` above the heading; empty without one
  int level = 1;   // 1 for "#", 2 for "##", ...
  QString title;
};

// The guide as the help window shows it: the Markdown without its anchor lines, and its
// headings in order.
struct HelpGuide {
  QString markdown;
  std::vector<HelpSection> sections;
};

// Splits the guide's Markdown into what is shown and its headings. Headings inside fenced code
// blocks are text, not headings.
HelpGuide ParseHelpGuide(const QString& text);

// The instructor's guide in a window: its table of contents beside the text. Opened from Help >
// Contents and F1 (not modal), or from a dialog's F1 at that dialog's section (modal over it).
class HelpWindow final : public QDialog {
 public:
  explicit HelpWindow(QWidget* parent);

  // Reads the guide from `path`; a missing guide shows where it was looked for.
  void Load(const QString& path);
  // Scrolls to the section with `anchor` and selects it in the contents; false when the guide
  // has no such section (the window then stays where it was).
  bool ShowSection(const QString& anchor);
  // The anchor of the section selected in the contents.
  QString current_anchor() const;
  QTextBrowser* browser() const { return browser_; }

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FollowLink(const QUrl& url);
  void ShowItem(QTreeWidgetItem* item);

  QTreeWidget* contents_ = nullptr;
  QTextBrowser* browser_ = nullptr;
  std::vector<HelpSection> sections_;
  std::vector<QTreeWidgetItem*> items_;  // one per section, in order
};

}  // namespace qv
