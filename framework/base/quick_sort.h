// The framework's list sort: a quicksort that tracks its pivot by position,
// so lists with equal keys come out in the same order every time.
#pragma once

template <class Compare, class Exchange>
void QuickSortRange(int left, int right, Compare compare, Exchange exchange) {
  while (left < right) {
    int i = left, j = right, pivot = (left + right) / 2;
    do {
      while (compare(i, pivot) < 0) ++i;
      while (compare(j, pivot) > 0) --j;
      if (i <= j) {
        if (i != j) exchange(i, j);
        if (pivot == i) pivot = j;
        else if (pivot == j) pivot = i;
        ++i;
        --j;
      }
    } while (i <= j);
    if (left < j) QuickSortRange(left, j, compare, exchange);
    left = i;
  }
}
