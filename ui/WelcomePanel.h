#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QPushButton;
class QVBoxLayout;

namespace vertano::ui {

struct DesktopTexts;

// What the main window shows instead of an empty table when nothing is open:
// a short welcome with the first steps and the recent projects.
class WelcomePanel : public QWidget {
    Q_OBJECT

  public:
    explicit WelcomePanel(QWidget* parent = nullptr);

    // The texts and the recent projects (full paths, newest first); the example
    // button is enabled only when the example exists.
    void Fill(const DesktopTexts& texts, const QStringList& recent, bool exampleExists);

    QPushButton* OpenExample() const { return example_; }
    QPushButton* AddRawFiles() const { return raw_; }
    QPushButton* OpenProject() const { return project_; }
    QPushButton* EmptyTable() const { return empty_; }
    // The buttons of the recent projects, in the order of the list.
    const std::vector<QPushButton*>& Recent() const { return recent_; }

  signals:
    void recentChosen(const QString& path);

  private:
    QLabel* title_ = nullptr;
    QLabel* intro_ = nullptr;
    QLabel* recentTitle_ = nullptr;
    QPushButton* example_ = nullptr;
    QPushButton* raw_ = nullptr;
    QPushButton* project_ = nullptr;
    QPushButton* empty_ = nullptr;
    QVBoxLayout* recentList_ = nullptr;
    std::vector<QPushButton*> recent_;
};

// The example project shipped with the program, looked for beside the
// installed program and in the source tree; empty when not found.
QString ExampleProject();

}  // namespace vertano::ui
