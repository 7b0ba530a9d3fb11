#pragma once

// The program itself run as a script would run it, with no display.

#include <QProcess>
#include <QStringList>

struct ProgramRun {
    int iStatus = -1;
    QStringList outLines;
    QString strError;
};

// Runs the built program with the arguments, the environment changed by
// the given "NAME=value" entries.
inline ProgramRun RunProgram(const QStringList& arguments, const QStringList& environment = {})
{
    QProcess program;
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    variables.remove(QStringLiteral("DISPLAY"));
    for (const QString& strEntry : environment)
        variables.insert(strEntry.section(QLatin1Char('='), 0, 0), strEntry.section(QLatin1Char('='), 1));
    program.setProcessEnvironment(variables);
    program.start(QStringLiteral(VELMORA_PROGRAM), arguments);
    ProgramRun run;
    if (!program.waitForFinished(60000) || program.exitStatus() != QProcess::NormalExit)
        return run;
    run.iStatus = program.exitCode();
    run.outLines = QString::fromLocal8Bit(program.readAllStandardOutput()).split(QLatin1Char('\n'));
    if (run.outLines.last().isEmpty())
        run.outLines.removeLast();
    run.strError = QString::fromLocal8Bit(program.readAllStandardError());
    return run;
}
