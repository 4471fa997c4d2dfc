// The node store at the size the mission tree can reach, and memo lines
// added one by one as the mission list writer does.
#include <benchmark/benchmark.h>

#include <backend/headless.h>

#include <memory>

#include "framework/memo.h"
#include "framework/panel.h"
#include "framework/tree_nodes.h"

namespace {

HWND Host() {
  static HWND host = [] {
    headless::Start(640, 480);
    InitCommonControls();
    return CreateWindowExA(0, "STATIC", "", WS_POPUP | WS_VISIBLE, 0, 0, 400, 300, nullptr, nullptr, nullptr, nullptr);
  }();
  return host;
}

void Fill(TTreeNodes& nodes, int count) {
  TTreeNode* parent = nullptr;
  for (int i = 0; i < count; ++i) {
    if (i % 100 == 0) parent = nodes.Add(nullptr, "Section");
    else nodes.AddChild(parent, "Mission - mission.tie");
  }
}

void BM_TreeNodesAddIntoWindow(benchmark::State& state) {
  for (auto _ : state) {
    HWND tree = CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE, 0, 0, 300, 200, Host(), nullptr, nullptr,
                                nullptr);
    TTreeNodes nodes;
    nodes.AttachWindow(tree);
    Fill(nodes, static_cast<int>(state.range(0)));
    nodes.DetachWindow();
    DestroyWindow(tree);
  }
}
BENCHMARK(BM_TreeNodesAddIntoWindow)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_TreeNodesWalkByIndex(benchmark::State& state) {
  TTreeNodes nodes;
  Fill(nodes, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    int levels = 0;
    for (int i = 0; i < nodes.Count(); ++i) levels += nodes.Item(i)->Level();
    benchmark::DoNotOptimize(levels);
  }
}
BENCHMARK(BM_TreeNodesWalkByIndex)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_MemoLinesAdd(benchmark::State& state) {
  TPanel root(nullptr);
  root.SetParentWindow(Host());
  for (auto _ : state) {
    auto* memo = new TMemo(&root);
    memo->SetParent(&root);
    for (int i = 0; i < state.range(0); ++i) memo->Lines()->Add("Mission Title");
    Free(memo);
  }
}
BENCHMARK(BM_MemoLinesAdd)->Arg(2000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
