// Runs a step however the enclosing block ends: by its end, a return or an
// exception. Header only and free of Qt, so the mail core and the store share it.
#pragma once

#include <utility>

template <class F> class Finally {
public:
    explicit Finally(F f) : m_f(std::move(f)) {}
    ~Finally() { m_f(); }
    Finally(const Finally&) = delete;
    Finally& operator=(const Finally&) = delete;

private:
    F m_f;
};
