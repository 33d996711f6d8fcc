#pragma once
// The three schematic windows of the program, created hidden at start-up and shown from the
// menu "Schematy". Each exists until the end of the program; its menu command shows it or,
// when it is already open, brings it to the front.
#include <QObject>
#include <QPointer>

class QWidget;

namespace tgsim {

class TSchematSiec;
class TSchemat_dq;
class TSchematPSS2A;

class SchematicWindows : public QObject {
    Q_OBJECT
public:
    // Creates the windows hidden in the order network, PSS2A, d-q. With an owner (the main
    // window) they belong to it: they stay in front of it, do not keep the program running
    // once it is closed, and are deleted with it.
    explicit SchematicWindows(QWidget* owner = nullptr);
    ~SchematicWindows() override;

    TSchematSiec* SchematSiec() const { return siec_; }
    TSchematPSS2A* SchematPSS2A() const { return pss2a_; }
    TSchemat_dq* Schemat_dq() const { return dq_; }

public slots:
    void Poka1Click();                // "Schemat Sieci "
    void PokazDQcircuits();           // "Schemat d-q"
    void SchematStabilizatorClick();  // "Schemat PSS2A"

private:
    QPointer<TSchematSiec> siec_;
    QPointer<TSchematPSS2A> pss2a_;
    QPointer<TSchemat_dq> dq_;
};

}  // namespace tgsim
