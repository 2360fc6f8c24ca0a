#pragma once

#include "formfixture.h"

#include <QObject>

namespace kansu::testing {

// A test class whose every test function gets a freshly loaded lesson
// window, closed again after it. A test class with more to set up declares
// its own init() and calls fixture.start() there.
class LessonTest : public QObject {
    Q_OBJECT
  protected:
    Form1& form() { return *fixture.form; }
    FormFixture fixture;

  private slots:
    void init() { fixture.start(); }
    void cleanup() { fixture.form.reset(); }
};

} // namespace kansu::testing
