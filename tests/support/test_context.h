// Test support: what a test is checking at the moment, printed under every
// failure inside it, as SCOPED_TRACE does. SCOPED_TRACE keeps its stack in a
// per-thread value, and on Windows GoogleTest watches each thread holding one
// with a thread of its own that waits until the program ends; under Wine that
// watcher, killed while the process exits, can crash a program whose tests all
// passed. The Windows tests use this instead, from their one thread.
#pragma once

#include <gtest/gtest.h>

#include <string>

namespace vitrum_test {

class Context {
 public:
  template <class T>
  explicit Context(const T& what) : Context((testing::Message() << what).GetString()) {}
  explicit Context(std::string what);
  ~Context();
  Context(const Context&) = delete;
  Context& operator=(const Context&) = delete;
};

// Adds the listener that prints the contexts open at each failure (main() does).
void printContextsOnFailure();

}  // namespace vitrum_test
