#pragma once
// The main window on a fresh database, shown and active, with message boxes,
// the shell and the help answered by recorders, and the clock frozen where a
// test sets it. Tests drive the window through its controls.

#include "core/clock.h"
#include "mainwin/tfrmclin.h"
#include "store/tdm.h"
#include "support/recordinghelp.h"
#include "support/recordingshell.h"
#include "support/scriptedmessages.h"
#include "support/testdatabase.h"

#include <QApplication>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

class MainWindowTest : public ::testing::Test {
protected:
    ~MainWindowTest() override
    {
        w.reset();
        Clock::set(std::nullopt);
    }

    void openWindow()
    {
        w = std::make_unique<TfrmClin>(dm);
        w->show();
        w->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(w.get()));
    }

    void addPatient(int id, const QString& name, const char* born = "2005-06-10", const char* registered = "2011-03-05")
    {
        db.exec(QStringLiteral("INSERT INTO PACIENTE (ID, NOME, NASCIMENTO, CADASTRO, STATUS) "
                               "VALUES (%1, '%2', '%3', '%4', 'A')")
                    .arg(id)
                    .arg(name, QString::fromLatin1(born), QString::fromLatin1(registered)));
    }
    void addSession(int id, int patient, const char* date, const QString& notes = {})
    {
        db.exec(QStringLiteral("INSERT INTO CONSULTA (ID, DATA, HORA, PACIENTE, OBSERVACOES) "
                               "VALUES (%1, '%2', '10:00:00', %3, '%4')")
                    .arg(id)
                    .arg(QString::fromLatin1(date))
                    .arg(patient)
                    .arg(notes));
    }

    // Chooses a tab with the mouse, as the user does.
    void chooseTab(int index)
    {
        QTest::mouseClick(w->TabSet1, Qt::LeftButton, {}, w->TabSet1->tabRect(index).center());
    }
    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }
    static void focusAndType(QWidget* widget, const QString& text)
    {
        QTest::mouseClick(widget, Qt::LeftButton);
        QTest::keyClicks(widget, text);
    }
    // Replaces the whole text of a box by typing, as the user does.
    static void retype(QWidget* box, const QString& text)
    {
        QTest::mouseClick(box, Qt::LeftButton);
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, text);
    }
    static QWidget* focused() { return QApplication::focusWidget(); }
    // The texts of the message boxes shown so far.
    QStringList boxes() const
    {
        QStringList texts;
        for (const platform::MessageRequest& r : messages.requests)
            texts << r.text;
        return texts;
    }
    // One letter per enabled navigator button, "Primeiro" ... "Cancelar": F P N L I D S C.
    QString navigator() const
    {
        static const char letters[] = "FPNLIDSC";
        const QToolButton* buttons[] = {w->ToolButton4, w->ToolButton5, w->ToolButton6,  w->ToolButton7,
                                        w->ToolButton8, w->ToolButton9, w->ToolButton10, w->ToolButton11};
        QString out;
        for (int i = 0; i < 8; ++i)
            out += buttons[i]->isEnabled() ? QChar::fromLatin1(letters[i]) : u'-';
        return out;
    }

    TestDatabase db;
    ScriptedMessages messages;
    RecordingShell shell;
    RecordingHelp help;
    Tdm dm{db.folder(), testusers::administrator()};
    std::unique_ptr<TfrmClin> w;
};
