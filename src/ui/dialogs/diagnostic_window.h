#pragma once
// A diagnostic text window: conversion code may clear and fill its text box while looking into a
// problem. It exists for the whole run and no command shows it.

#include <QWidget>

class QPlainTextEdit;

namespace vellumar {

class DiagnosticWindow : public QWidget {
    Q_OBJECT

public:
    explicit DiagnosticWindow(QWidget* parent = nullptr);

    QPlainTextEdit* memo() const { return m_memo; }

private:
    QPlainTextEdit* m_memo = nullptr;
};

}  // namespace vellumar
