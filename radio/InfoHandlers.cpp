// The "Инфо" page.
#include "app/Unit1.h"

#include <QTreeWidget>
#include <QVBoxLayout>

void TForm1::CreateInfoPage()
{
    Prop = new QTreeWidget(TabSheet6);
    auto *l = new QVBoxLayout(TabSheet6);
    l->setContentsMargins(0, 0, 0, 0);
    l->addWidget(Prop);
}

void TForm1::FillListExecute() {}
