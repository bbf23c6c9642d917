// The data source's dispatch to the readers and what it gives them, and the
// rows' exchange of data with couriers.
#include <gtest/gtest.h>

#include <string>

#include "ListForm/ListDataSource.h"
#include "ListForm/ListItem.h"
#include "list_host.h"
#include "test_lists.h"

namespace ListTest {

// Two lists sharing one reader, which notes what the data source tells it.
class TwinA : public ListForm::ListClass {
  VG_CLASS()
};
class TwinB : public ListForm::ListClass {
  VG_CLASS()
};

struct Seen {
  uint32_t param = 0;
  std::string text;
  int32_t index = -1;
};
Seen g_seen;

XObject* ReadTwin(ListForm::ListDataSource* source, int32_t index) {
  g_seen = {source->Param, VgStringToUtf8(source->StringParam), index};
  auto* courier = VgNew<ListForm::ListCourier>();
  courier->Index = index;
  return courier;
}
LISTFORM_REGISTER_READER(TwinA, ReadTwin)
LISTFORM_REGISTER_READER(TwinB, ReadTwin)

// A courier with fields of its own and a row that keeps one in a field and
// shows the other through a setter.
class ChannelCourier : public ListForm::ListCourier {
  VG_CLASS()
 public:
  int32_t Major = 0;
  VgStr Name;
};

class ChannelRow : public ListForm::ListItem {
  VG_CLASS()
 public:
  XObject* SetData(XObject* data) override;
  XObject* GetData(XObject* data) override;
  void OnSetName(VgString value) { name = value; }
  VgString OnGetName() const { return name; }
  int32_t Major = 0;
  VgStr name;
};

using ChannelFields =
    ListForm::Fields<ChannelCourier, ListForm::Field<&ChannelCourier::Major, &ChannelRow::Major>,
                     ListForm::Field<&ChannelCourier::Name, &ChannelRow::OnSetName, &ChannelRow::OnGetName>>;

XObject* ChannelRow::SetData(XObject* data) {
  XObject* result = ListItem::SetData(data);
  ChannelFields::In(this, data);
  return result;
}

XObject* ChannelRow::GetData(XObject* data) {
  ChannelCourier* courier = ChannelFields::Make(data);
  ListItem::GetData(courier);
  ChannelFields::Out(this, courier);
  return courier;
}

}  // namespace ListTest

VG_DEFINE_CLASS(ListTest, TwinA, ListForm::ListClass)
VG_DEFINE_CLASS(ListTest, TwinB, ListForm::ListClass)
VG_DEFINE_CLASS(ListTest, ChannelCourier, ListForm::ListCourier)
VG_DEFINE_CLASS(ListTest, ChannelRow, ListForm::ListItem)

namespace {

using namespace ListTest;

std::string Utf8(VgString s) { return VgStringToUtf8(s); }

class Sources : public ListFixture {
 protected:
  void TearDown() override {
    if (source) VgUnlockObject(source);
    ListFixture::TearDown();
  }
  ListForm::ListDataSource* Source(int32_t num) {
    source = VgNew<ListForm::ListDataSource>();
    VgLockObject(source);
    source->OnSetNum(num);
    return source;
  }
  ListForm::ListDataSource* source = nullptr;
};

TEST_F(Sources, AReaderServesTheClassItWasRegisteredForAlone) {
  Source(10);
  source->OnSetCursor(4);
  auto* courier = vg_cast<ListForm::ListCourier>(source->GetItemData(&NumberList::Class, 2));
  ASSERT_NE(courier, nullptr);
  EXPECT_EQ(courier->Index, 6);
  EXPECT_EQ(Utf8(courier->Text), "Entry 6");
  EXPECT_EQ(source->GetItemData(&NumberList::Class, 6), nullptr) << "past the last entry no reader runs";
  EXPECT_EQ(source->GetItemData(&NumberList::Class, -5), nullptr);

  EXPECT_EQ(source->GetItemData(&DerivedList::Class, 0), nullptr) << "by identity, not derivation";
  EXPECT_EQ(source->GetItemData(&ListForm::ListClass::Class, 0), nullptr);
  EXPECT_EQ(source->GetItemData(&ListForm::GridView::Class, 0), nullptr);
  EXPECT_FALSE(ListForm::RegisterItemReader(&TwinA::Class, &ReadTwin)) << "one reader per class";
  EXPECT_NE(source->InputIcon(9), nullptr);
  EXPECT_EQ(source->InputIcon(10), nullptr);
  EXPECT_EQ(source->ThemeName(12), nullptr) << "the slots after the twelve themes stay empty";
}

TEST_F(Sources, TwoClassesShareAReaderThatSeesTheParameters) {
  Source(3);
  source->OnSetParam(0x84000012u);
  source->OnSetStringParam(VgNewStringAnsi("Antenna"));
  ASSERT_NE(source->GetItemData(&TwinA::Class, 1), nullptr);
  EXPECT_EQ(g_seen.param, 0x84000012u);
  EXPECT_EQ(g_seen.text, "Antenna");
  EXPECT_EQ(g_seen.index, 1);
  ASSERT_NE(source->GetItemData(&TwinB::Class, 2), nullptr);
  EXPECT_EQ(g_seen.index, 2);

  // What a list's Initialize hands on: its count and text parameter.
  auto* list = VgNew<TwinA>();
  host->Embed(list);
  EXPECT_EQ(list->DataSource->Num, 1);
  EXPECT_EQ(list->DataSource->StringParam.get(), nullptr);
}

TEST_F(Sources, RowsKeepTheirTextForNoEntryAndHandTheirValuesBack) {
  auto* row = VgNew<ChannelRow>();
  top->Add(row, 0);
  EXPECT_EQ(Utf8(row->Text), "ListItem");
  auto* courier = VgNew<ChannelCourier>();
  courier->Text = VgNewStringAnsi("KQED");
  courier->Index = 7;
  courier->Major = 9;
  courier->Name = VgNewStringAnsi("PBS");
  EXPECT_EQ(row->SetData(courier), courier);
  EXPECT_EQ(Utf8(row->caption.String), "KQED");
  EXPECT_EQ(row->Index, 7);
  EXPECT_EQ(row->Major, 9);
  EXPECT_EQ(Utf8(row->name), "PBS");

  EXPECT_EQ(row->SetData(nullptr), nullptr);
  EXPECT_EQ(Utf8(row->Text), "KQED") << "a position without an entry keeps the text";

  auto* back = vg_cast<ChannelCourier>(row->GetData(nullptr));
  ASSERT_NE(back, nullptr) << "a new courier of the row's class";
  EXPECT_EQ(Utf8(back->Text), "KQED");
  EXPECT_EQ(back->Index, 7);
  EXPECT_EQ(back->Major, 9);
  EXPECT_EQ(Utf8(back->Name), "PBS");
  EXPECT_EQ(row->ListItem::GetData(nullptr)->GetClass(), &ListForm::ListCourier::Class);
}

}  // namespace
