#pragma once
// The program's own help: Russian pages kept in the program's resources,
// shown in a window with their contents, links between the pages, and
// pictures of positions drawn by the program's own field painter.

#include <QDialog>
#include <QTextBrowser>

namespace solvar::game {

// Shows the help pages; a picture named "picture:NAME" in a page is drawn by
// the field painter.
class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(QWidget* parent);

 protected:
  QVariant loadResource(int type, const QUrl& name) override;
};

class HelpWindow : public QDialog {
  Q_OBJECT
 public:
  explicit HelpWindow(QWidget* parent);
  // Shows the contents, or the page, and brings the window up.
  void ShowPage(const QString& page = QStringLiteral("index.html"));
  HelpBrowser* Browser() const { return m_browser; }

 private:
  HelpBrowser* m_browser;
};

// A picture of the help pages by its name ("capture", "area" ...); a null
// image for a name it does not know.
QImage HelpPicture(const QString& name);

}  // namespace solvar::game
