#include "test_context.h"

#include <cstdio>
#include <utility>
#include <vector>

namespace vitrum_test {

namespace {

std::vector<std::string>& openContexts() {
  static std::vector<std::string> contexts;
  return contexts;
}

class ContextPrinter : public testing::EmptyTestEventListener {
  void OnTestPartResult(const testing::TestPartResult& result) override {
    if (!result.failed() || openContexts().empty()) return;
    std::printf("Context (innermost last):\n");
    for (const std::string& context : openContexts()) std::printf("  %s\n", context.c_str());
    std::fflush(stdout);
  }
};

}  // namespace

Context::Context(std::string what) { openContexts().push_back(std::move(what)); }

Context::~Context() { openContexts().pop_back(); }

void printContextsOnFailure() { testing::UnitTest::GetInstance()->listeners().Append(new ContextPrinter); }

}  // namespace vitrum_test
