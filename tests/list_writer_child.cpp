// The writer process of the interrupted-write test: rewrites the additional
// list over and over, alternating between two contents, until it is killed.
// It signals once it has written a first time.
#include "catalogue/catalogue.h"
#include "framework/app.h"
#include "framework/handle.h"
#include "tests/support/list_churn.h"

int main() {
  CWinApp app("Norvane");
  app.SetRegistryKey("Tessaly");
  CStringArray lists[] = {ChurnList(0), ChurnList(1)};
  KernelHandle ready(OpenEventA(EVENT_MODIFY_STATE, FALSE, kChurnReadyEvent));
  for (unsigned round = 0;; ++round) {
    WriteAdditionalScreensavers(lists[round % 2]);
    if (round == 0)
      SetEvent(ready.get());
  }
}
