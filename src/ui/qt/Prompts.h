// Every question, notice and file dialog of the program goes through one
// Prompter, so that the tests can answer them without a person.  The
// program installs a QtPrompter; a test installs one of its own with
// ScopedPrompter.
#pragma once

#include <memory>
#include <optional>

#include <QString>

class QWidget;

namespace velox::ui {

enum class Answer { Yes, No };

class Prompter {
public:
    virtual ~Prompter() = default;
    // A modal Yes/No question.
    virtual Answer Ask(const QString& text, const QString& title) = 0;
    // A modal notice with an OK button and the information icon.
    virtual void Inform(const QString& text, const QString& title) = 0;
    // The same without an icon.
    virtual void InformPlain(const QString& text, const QString& title) = 0;
    // A modal error report with an OK button.
    virtual void Error(const QString& text, const QString& title) = 0;
    // File dialogs.  `filters` is a list of description|pattern pairs
    // separated by "|" ("Gyorsító adatfjál|*.gydat|Minden fájl|*.*"),
    // `filterIndex` chooses the pair shown first, counting from 1, and
    // `defaultSuffix` (without the dot) is appended to a name typed without
    // one.  Nothing comes back when the user cancels.  The save dialog asks
    // before it lets an existing file be replaced.
    virtual std::optional<QString> OpenFileName(const QString& filters, int filterIndex,
                                                const QString& defaultSuffix) = 0;
    virtual std::optional<QString> SaveFileName(const QString& filters, int filterIndex,
                                                const QString& defaultSuffix) = 0;
    // A save dialog for a command whose file format follows the filter the
    // user chooses: the suffix appended to a name typed without one is the
    // chosen filter's ("*.png" gives "png"; `defaultSuffix` for a filter
    // without one), and the chosen filter's index comes back with the name.
    // A prompter that offers no choice of filter answers through
    // SaveFileName and reports the filter it was given.
    struct SaveChoice {
        QString FileName;
        int FilterIndex = 1;
    };
    virtual std::optional<SaveChoice> SaveFileChoice(const QString& filters, int filterIndex,
                                                     const QString& defaultSuffix);
};

// The prompter in use; a QtPrompter until another is installed.
Prompter& Prompts();

// Installs a prompter for the life of this object and puts the previous one
// back afterwards.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter& prompter);
    ~ScopedPrompter();
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* previous_;
};

// Message boxes and file dialogs of Qt, parented to the active window.
class QtPrompter : public Prompter {
public:
    Answer Ask(const QString& text, const QString& title) override;
    void Inform(const QString& text, const QString& title) override;
    void InformPlain(const QString& text, const QString& title) override;
    void Error(const QString& text, const QString& title) override;
    std::optional<QString> OpenFileName(const QString& filters, int filterIndex,
                                        const QString& defaultSuffix) override;
    std::optional<QString> SaveFileName(const QString& filters, int filterIndex,
                                        const QString& defaultSuffix) override;
    std::optional<SaveChoice> SaveFileChoice(const QString& filters, int filterIndex,
                                             const QString& defaultSuffix) override;
};

// Turns "desc|pattern|desc|pattern" into Qt's name filters
// ("desc (pattern)"), one per pair; a description that ends with its
// pattern in parentheses already is taken as it stands.
QStringList NameFilters(const QString& filters);

// A file dialog's settings that outlive one use (the main window keeps one
// open and one save dialog, whose filter list and index the commands set).
struct FileDialogSettings {
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    QString FileName;  // the file last chosen
};

// Runs the dialog through the prompter in use; true when a file was chosen
// (its name is then in settings.FileName).
bool ExecuteOpenDialog(FileDialogSettings& settings);
bool ExecuteSaveDialog(FileDialogSettings& settings);
// The save dialog of Prompter::SaveFileChoice; settings.FilterIndex becomes
// the filter the user chose.
bool ExecuteSaveChoiceDialog(FileDialogSettings& settings);

}  // namespace velox::ui
