// The real game window for widget tests: Form1 with its Qt backend, started
// as main() starts it, and its widgets looked up by the game's own names.
#pragma once

#include "app/form1.h"
#include "ui/qt/backend.h"

#include <QApplication>
#include <QMainWindow>
#include <QPushButton>
#include <QString>
#include <QTest>

struct Window {
    Form1 form;
    ui::QtBackend backend{form};

    Window()
    {
        form.fireLoad();
        backend.show();
        QApplication::setActiveWindow(backend.window());
    }

    QWidget *w(const ui::Control &c) const { return backend.widget(c); }
    QPushButton *tile(int i) const
    {
        return static_cast<QPushButton *>(w(form.Command1(ui::Int16(i))));
    }

    // "Label1", "mnuStart", or an array element such as "Command1(4)".
    ui::Control &control(const QString &name)
    {
        const qsizetype open = name.indexOf('(');
        if (open > 0) {
            const auto index = ui::Int16(name.mid(open + 1, name.size() - open - 2).toInt());
            if (name.startsWith("Command1("))
                return form.Command1(index);
            if (name.startsWith("Image1("))
                return form.Image1(index);
        }
        for (ui::Control *c : form.controls())
            if (QString::fromStdString(c->name()) == name)
                return *c;
        qFatal("no control named %s", qPrintable(name));
    }
};
