#include "lang/LangApply.h"

#include <QAction>
#include <QGroupBox>
#include <QLocale>
#include <QMetaProperty>
#include <QPointer>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVariant>
#include <QWidget>

#include "lang/LangTable.h"

namespace {
bool sameNoCase(const char *a, const QString &b) { return QString::fromUtf8(a).compare(b, Qt::CaseInsensitive) == 0; }

bool setProperty(QObject *o, const char *name, const QString &text) {
    int i = o->metaObject()->indexOfProperty(name);
    if (i < 0 || !o->metaObject()->property(i).isWritable()) return false;
    return o->setProperty(name, text);
}

// A page of a tab widget carries its caption on the tab.
QTabWidget *tabOwner(QWidget *w) {
    QWidget *p = w->parentWidget();
    if (!p || !qobject_cast<QStackedWidget *>(p)) return nullptr;
    auto *tabs = qobject_cast<QTabWidget *>(p->parentWidget());
    return tabs && tabs->indexOf(w) >= 0 ? tabs : nullptr;
}

void setCaption(QObject *o, const QString &text) {
    if (auto *a = qobject_cast<QAction *>(o)) {
        a->setText(text);
        return;
    }
    auto *w = qobject_cast<QWidget *>(o);
    if (!w) return;
    if (QTabWidget *tabs = tabOwner(w)) {
        tabs->setTabText(tabs->indexOf(w), text);
        return;
    }
    if (auto *g = qobject_cast<QGroupBox *>(w)) {
        g->setTitle(text);
        return;
    }
    if (setProperty(w, "caption", text)) return;
    if (w->isWindow()) {
        w->setWindowTitle(text);
        return;
    }
    setProperty(w, "text", text);
}

void setText(QObject *o, const QString &text) {
    if (setProperty(o, "text", text)) return;
    setProperty(o, "plainText", text);  // a list of lines
}

void setHint(QObject *o, const QString &text) {
    QString t = text;
    t.replace(QStringLiteral("/n"), QStringLiteral("\n"));
    if (auto *a = qobject_cast<QAction *>(o))
        a->setToolTip(t);
    else if (auto *w = qobject_cast<QWidget *>(o))
        w->setToolTip(t);
}

void applyRows(std::span<const TResourceRow> map, const TLanguageData &data, QObject *o) {
    const QString name = o->objectName();
    if (name.isEmpty()) return;
    size_t first = 0;
    while (first < map.size() && !sameNoCase(map[first].Name, name)) ++first;
    const QByteArray exact = name.toUtf8();
    for (size_t i = first; i < map.size(); ++i)
        if (exact == map[i].Name)
            ApplyLanguageString(o, map[i].ID, QString::fromStdString(data.String(map[i].ID)));
}
}  // namespace

void ApplyLanguageString(QObject *target, int id, const QString &text) {
    if (!target) return;
    if (id < 2000)
        setCaption(target, text);
    else if (id < 3000)
        setText(target, text);
    else if (id < 4000)
        setHint(target, text);
}

void ApplyLanguageToForm(std::span<const TResourceRow> map, const std::string &basePath, const std::string &code,
                         QWidget *window) {
    if (!window || map.empty()) return;
    TLanguageData data;
    if (!data.Load(LanguageFileName(basePath, code))) return;

    const QString formName = window->objectName();
    for (const TResourceRow &row : map)
        if (!formName.isEmpty() && sameNoCase(row.Name, formName)) {
            window->setWindowTitle(QString::fromStdString(data.String(row.ID)));
            break;
        }
    // Setting a text may delete helper objects inside an editor, so each one
    // is checked for life before it is used.
    QList<QPointer<QObject>> targets;
    for (QObject *o : window->findChildren<QObject *>())
        if (qobject_cast<QWidget *>(o) || qobject_cast<QAction *>(o)) targets.append(o);
    for (const QPointer<QObject> &o : targets)
        if (o) applyRows(map, data, o);
}

bool ApplyLanguage(TLanguageTable &table, TIniSettings *settings, const std::string &code, QWidget *setupDialog,
                   QWidget *mainWindow, const std::string &basePath) {
    return LoadLanguage(table, ResourceMap(), basePath, code, settings, [&] {
        if (setupDialog) ApplyLanguageToForm(ResourceMap(), basePath, code, setupDialog);
        ApplyLanguageToForm(ResourceMap(), basePath, code, mainWindow);
    });
}

TLanguageFlag LoadLanguageFlag(const std::string &basePath, const std::string &code) {
    TLanguageFlag f;
    TLanguageData data;
    if (!data.Load(LanguageFileName(basePath, code))) return f;
    f.Code = QString::fromStdString(code);
    std::string flag = data.FlagPath();
    if (!flag.empty()) f.Picture.load(QString::fromStdString(flag));
    if (!data.Locale().empty()) {
        QLocale loc(QString::fromStdString(data.Locale()));
        f.DisplayName = loc.nativeLanguageName() + QStringLiteral(" (") + loc.nativeTerritoryName() +
                        QStringLiteral(")");
    }
    f.Valid = true;
    return f;
}
