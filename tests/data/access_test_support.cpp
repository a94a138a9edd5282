#include "access_test_support.h"

#include <filesystem>

namespace vt::data::testing {

namespace {

// One data directory made by the installation routine per test program;
// each test gets a copy, which is far quicker than making it again.
const std::string& installedDir() {
  static const std::unique_ptr<TempDir> made = [] {
    auto dir = std::make_unique<TempDir>();
    initDataDir(dir->path());
    return dir;
  }();
  return made->path();
}

}  // namespace

std::string usShortDate(const base::DateTime& date) {
  return std::to_string(date.month) + "/" + std::to_string(date.day) + "/" +
         std::to_string(date.year);
}

void AccessTest::SetUp() {
  const std::string& installed = installedDir();
  ASSERT_FALSE(::testing::Test::HasFatalFailure());
  std::filesystem::copy(installed, dir.path());
  session = newSession();
}

std::unique_ptr<DataSession> AccessTest::newSession() {
  SessionOptions options;
  options.progress = &progress;
  options.now = [] { return kTestNow; };
  options.shortDate = shortDate;
  return std::make_unique<DataSession>(dir.path(), dialogs, exit, options);
}

void ScriptedPicker::pick(bool allowNew, long& current) {
  calls.push_back({allowNew, current});
  if (choices_.empty()) {
    ADD_FAILURE() << "picker shown with no choice queued";
    current = -1;
    return;
  }
  current = choices_.front();
  choices_.pop_front();
}

void ScriptedEditor::edit(long& current) {
  shownWith.push_back(current);
  if (actions_.empty()) {
    ADD_FAILURE() << "editor shown with no action queued";
    return;
  }
  Action action = std::move(actions_.front());
  actions_.pop_front();
  action(current);
}

ScriptedEditor::Action cancelEdit() {
  return [](long& current) {
    if (current == 0) current = -1;
  };
}

ScriptedEditor::Action saveNewCustomer(DataSession& session, int cuno, const std::string& last) {
  return [&session, cuno, last](long& current) {
    current = -1;
    CustomerRecord c;
    c.cuno = cuno;
    c.last = last;
    appendCustomer(session, c);
    current = static_cast<long>(session.customers()->recNo());
  };
}

void appendCustomer(DataSession& s, const CustomerRecord& c) {
  ASSERT_NE(s.customers(), nullptr);
  ASSERT_EQ(s.customers()->appendBlank(), 0);
  s.Customer = c;
  ASSERT_EQ(s.StoreCustomer(), 0);
}

void appendGroup(DataSession& s, int number, const std::string& name) {
  ASSERT_NE(s.groups(), nullptr);
  ASSERT_EQ(s.groups()->appendBlank(), 0);
  s.Group = {number, name};
  ASSERT_EQ(s.StoreGroup(), 0);
}

void appendInvoice(DataSession& s, const InvoiceRecord& inv) {
  ASSERT_NE(s.invoices(), nullptr);
  ASSERT_EQ(s.invoices()->appendBlank(), 0);
  s.Invoice = inv;
  ASSERT_EQ(s.StoreInvoice(), 0);
}

void appendItem(DataSession& s, const ItemRecord& item) {
  ASSERT_NE(s.items(), nullptr);
  ASSERT_EQ(s.items()->appendBlank(), 0);
  s.Item = item;
  ASSERT_EQ(s.StoreItem(), 0);
}

void appendPayment(DataSession& s, const PaymentRecord& pmt) {
  ASSERT_NE(s.payments(), nullptr);
  ASSERT_EQ(s.payments()->appendBlank(), 0);
  s.Payment = pmt;
  ASSERT_EQ(s.StorePayment(), 0);
}

void appendProduct(DataSession& s, const ProductRecord& prod) {
  ASSERT_NE(s.products(), nullptr);
  ASSERT_EQ(s.products()->appendBlank(), 0);
  s.Product = prod;
  ASSERT_EQ(s.StoreProduct(), 0);
}

}  // namespace vt::data::testing
