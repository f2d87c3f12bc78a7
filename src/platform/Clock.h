// Time and chance, behind interfaces so start-up behaviour that depends on them
// can be scripted in tests.
#pragma once

#include <QDateTime>

#include <random>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};

class Random {
public:
    virtual ~Random() = default;
    virtual void seed(quint64 value) = 0;
    // A whole number from 0 to range - 1, each with equal chance.
    virtual int next(int range) = 0;
};

class StandardRandom : public Random {
public:
    void seed(quint64 value) override { m_engine.seed(value); }
    int next(int range) override {
        return std::uniform_int_distribution<int>(0, range - 1)(m_engine);
    }

private:
    std::mt19937_64 m_engine;
};

} // namespace platform
