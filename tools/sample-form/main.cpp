// Renders the sample form on the headless screen and writes it as a PNG.
#include <backend/headless.h>

#include <cstdio>

#include "sample_form.h"

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : "sample-form.png";
  headless::Start(640, 480);
  InitCommonControls();
  sample_form::SampleForm form;
  if (!form.SavePng(path)) {
    std::fprintf(stderr, "cannot write %s\n", path);
    return 1;
  }
  return 0;
}
