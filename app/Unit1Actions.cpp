// The window's actions, menus and toolbar, made from the action table.
#include "app/Unit1.h"

#include "app/ActionTable.h"
#include "app/ErrorBox.h"
#include "app/Pictures.h"
#include "app/Translations.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>

// The tables' captions are Russian; the installed catalogue gives the window's language.
static QString Caption(const char *text)
{
    return QCoreApplication::translate("Quillon", text);
}

void TForm1::CreateActions()
{
    for (int i = 0; i < ActionCount; ++i) {
        const ActionDef &d = ActionTable[i];
        auto *a = new QAction(Caption(d.caption), this);
        a->setObjectName(QString::fromLatin1(d.name));
        a->setProperty("category", QString::fromLatin1(d.category));
        if (d.hint) {
            const QString hint = qstrcmp(d.hint, "=") == 0 ? Caption(d.caption) : Caption(d.hint);
            a->setProperty("hint", hint);
            a->setToolTip(hint.section(u'|', 0, 0));
            a->setStatusTip(hint.section(u'|', -1));
        }
        if (d.shortcut) {
            a->setShortcut(QKeySequence(QString::fromLatin1(d.shortcut)));
            a->setShortcutContext(Qt::WindowShortcut);
        }
        if (d.image >= 0)
            a->setIcon(ImageListIcon(d.image));
        a->setProperty("imageIndex", d.image);
        a->setEnabled(d.enabledAtStart);
        Act.*(d.member) = a;
        addAction(a); // shortcuts work whatever menu or bar shows the action
        if (d.handler) {
            const auto handler = d.handler;
            connect(a, &QAction::triggered, this, [this, handler] { SafeCall([&] { (this->*handler)(); }); });
        }
    }
    connect(Act.FileExit1, &QAction::triggered, this, &QWidget::close);
    // The language chosen for the window, ticked.
    auto *languages = new QActionGroup(this); // one of them, shown as radio items
    languages->addAction(Act.LangRussian);
    languages->addAction(Act.LangEnglish);
    Act.LangRussian->setCheckable(true);
    Act.LangEnglish->setCheckable(true);
    (StoredLanguage() == Language::English ? Act.LangEnglish : Act.LangRussian)->setChecked(true);
}

// A menu item under a caption of its own: it shows the action's image and
// shortcut, follows its enabled state and triggers it.
static QAction *MenuItemFor(QAction *action, const char *caption, QObject *parent)
{
    if (!caption)
        return action;
    auto *item = new QAction(parent);
    auto sync = [item, action, caption] {
        QString text = Caption(caption);
        if (!action->shortcut().isEmpty())
            text += u'\t' + action->shortcut().toString(QKeySequence::NativeText);
        item->setText(text);
        item->setIcon(action->icon());
        item->setEnabled(action->isEnabled());
        item->setToolTip(action->toolTip());
    };
    sync();
    QObject::connect(action, &QAction::changed, item, sync);
    QObject::connect(item, &QAction::triggered, action, &QAction::trigger);
    return item;
}

static void FillMenu(QMenu *menu, const MenuEntry *entries, TActions &act, QMenu **presetMenu)
{
    for (const MenuEntry *e = entries; e->member || e->submenu || !e->caption; ++e) {
        if (e->submenu) {
            QMenu *sub = menu->addMenu(Caption(e->submenuTitle));
            FillMenu(sub, e->submenu, act, presetMenu);
            if (e->submenu[0].member == &TActions::L258Hand10625)
                *presetMenu = sub;
        } else if (!e->member) {
            menu->addSeparator();
        } else {
            menu->addAction(MenuItemFor(act.*(e->member), e->caption, menu));
        }
    }
}

void TForm1::CreateMenus()
{
    ActionMainMenuBar1 = new QMenuBar(this);
    ActionMainMenuBar1->setObjectName(QStringLiteral("ActionMainMenuBar1"));
    ActionMainMenuBar1->setNativeMenuBar(false);
    ActionMainMenuBar1->setGeometry(0, 0, 363, 25);
    for (int i = 0; i < MainMenuCount; ++i) {
        QMenu *menu = ActionMainMenuBar1->addMenu(Caption(MainMenu[i].title));
        FillMenu(menu, MainMenu[i].entries, Act, &PresetMenu);
    }
    PresetMenu->setObjectName(QStringLiteral("PresetMenu"));
}

void TForm1::CreateToolBar()
{
    ActionToolBar1 = new QToolBar(this);
    ActionToolBar1->setObjectName(QStringLiteral("ActionToolBar1"));
    ActionToolBar1->setGeometry(0, 25, 363, 26);
    ActionToolBar1->setIconSize(QSize(16, 16));
    ActionToolBar1->setToolButtonStyle(Qt::ToolButtonIconOnly);
    ActionToolBar1->setMovable(false);
    ActionToolBar1->setFloatable(false);
    for (int i = 0; i < ToolBarCount; ++i) {
        if (ToolBarEntries[i])
            ActionToolBar1->addAction(Act.*(ToolBarEntries[i]));
        else
            ActionToolBar1->addSeparator();
    }
}
