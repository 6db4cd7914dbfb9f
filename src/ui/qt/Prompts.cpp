#include "ui/qt/Prompts.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "ui/qt/Zoom.h"

namespace velox::ui {

namespace {

QtPrompter& DefaultPrompter() {
    static QtPrompter prompter;
    return prompter;
}

Prompter* current = nullptr;

QWidget* DialogParent() { return QApplication::activeWindow(); }

// The suffix a filter pattern stands for: "png" for "*.png", nothing for
// "*.*" or a list of patterns.
QString PatternSuffix(const QString& pattern) {
    if (!pattern.startsWith(QStringLiteral("*."))) return QString();
    const QString suffix = pattern.mid(2);
    for (const QChar c : suffix)
        if (c == QLatin1Char('*') || c == QLatin1Char('?') || c == QLatin1Char(';') || c == QLatin1Char(' '))
            return QString();
    return suffix;
}

// `chosenFilter`, when given, makes the default suffix follow the filter the
// user picks and receives that filter's index.
std::optional<QString> RunFileDialog(QFileDialog::AcceptMode mode, const QString& filters, int filterIndex,
                                     const QString& defaultSuffix, int* chosenFilter = nullptr) {
    QFileDialog dialog(DialogParent());
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    const QStringList names = NameFilters(filters);
    dialog.setNameFilters(names);
    if (filterIndex >= 1 && filterIndex <= names.size()) dialog.selectNameFilter(names[filterIndex - 1]);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::ReadOnly, false);
    const QStringList parts = filters.split(QLatin1Char('|'));
    if (chosenFilter) {
        const auto follow = [&](const QString& name) {
            const qsizetype k = names.indexOf(name);
            const QString suffix = k >= 0 && 2 * k + 1 < parts.size() ? PatternSuffix(parts[2 * k + 1]) : QString();
            dialog.setDefaultSuffix(suffix.isEmpty() ? defaultSuffix : suffix);
        };
        follow(dialog.selectedNameFilter());
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, follow);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    if (chosenFilter) *chosenFilter = static_cast<int>(names.indexOf(dialog.selectedNameFilter())) + 1;
    return dialog.selectedFiles().first();
}

}  // namespace

Prompter& Prompts() { return current ? *current : DefaultPrompter(); }

ScopedPrompter::ScopedPrompter(Prompter& prompter) : previous_(current) { current = &prompter; }
ScopedPrompter::~ScopedPrompter() { current = previous_; }

namespace {

// A message box opens at the zoom of the window it belongs to.
QMessageBox::StandardButton ShowBox(QMessageBox::Icon icon, const QString& title, const QString& text,
                                    QMessageBox::StandardButtons buttons,
                                    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    QMessageBox box(icon, title, text, buttons, DialogParent());
    if (defaultButton != QMessageBox::NoButton) box.setDefaultButton(defaultButton);
    if (const double zoom = ZoomOf(DialogParent()); zoom != 1) box.setFont(ScaledFont(box.font(), zoom));
    box.exec();
    return box.standardButton(box.clickedButton());
}

}  // namespace

Answer QtPrompter::Ask(const QString& text, const QString& title) {
    const auto pressed =
        ShowBox(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes);
    return pressed == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

void QtPrompter::Inform(const QString& text, const QString& title) {
    ShowBox(QMessageBox::Information, title, text, QMessageBox::Ok);
}

void QtPrompter::InformPlain(const QString& text, const QString& title) {
    ShowBox(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

void QtPrompter::Error(const QString& text, const QString& title) {
    ShowBox(QMessageBox::Critical, title, text, QMessageBox::Ok);
}

std::optional<QString> QtPrompter::OpenFileName(const QString& filters, int filterIndex,
                                                const QString& defaultSuffix) {
    return RunFileDialog(QFileDialog::AcceptOpen, filters, filterIndex, defaultSuffix);
}

std::optional<QString> QtPrompter::SaveFileName(const QString& filters, int filterIndex,
                                                const QString& defaultSuffix) {
    // The Qt save dialog asks before it lets an existing file be replaced.
    return RunFileDialog(QFileDialog::AcceptSave, filters, filterIndex, defaultSuffix);
}

std::optional<QtPrompter::SaveChoice> QtPrompter::SaveFileChoice(const QString& filters, int filterIndex,
                                                                 const QString& defaultSuffix) {
    int chosen = filterIndex;
    auto name = RunFileDialog(QFileDialog::AcceptSave, filters, filterIndex, defaultSuffix, &chosen);
    if (!name) return std::nullopt;
    return SaveChoice{*name, chosen >= 1 ? chosen : filterIndex};
}

std::optional<Prompter::SaveChoice> Prompter::SaveFileChoice(const QString& filters, int filterIndex,
                                                             const QString& defaultSuffix) {
    auto name = SaveFileName(filters, filterIndex, defaultSuffix);
    if (!name) return std::nullopt;
    return SaveChoice{*name, filterIndex};
}

QStringList NameFilters(const QString& filters) {
    const QStringList parts = filters.split(QLatin1Char('|'));
    QStringList out;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        QString patterns = parts[i + 1];
        patterns.replace(QLatin1Char(';'), QLatin1Char(' '));
        const QString shown = QStringLiteral("(") + patterns + QLatin1Char(')');
        // A description that shows its patterns already keeps them once.
        if (parts[i].trimmed().endsWith(shown))
            out << parts[i].trimmed();
        else
            out << parts[i] + QLatin1Char(' ') + shown;
    }
    return out;
}

bool ExecuteOpenDialog(FileDialogSettings& settings) {
    auto name = Prompts().OpenFileName(settings.Filter, settings.FilterIndex, settings.DefaultExt);
    if (!name) return false;
    settings.FileName = *name;
    return true;
}

bool ExecuteSaveDialog(FileDialogSettings& settings) {
    auto name = Prompts().SaveFileName(settings.Filter, settings.FilterIndex, settings.DefaultExt);
    if (!name) return false;
    settings.FileName = *name;
    return true;
}

bool ExecuteSaveChoiceDialog(FileDialogSettings& settings) {
    auto choice = Prompts().SaveFileChoice(settings.Filter, settings.FilterIndex, settings.DefaultExt);
    if (!choice) return false;
    settings.FileName = choice->FileName;
    settings.FilterIndex = choice->FilterIndex;
    return true;
}

}  // namespace velox::ui
