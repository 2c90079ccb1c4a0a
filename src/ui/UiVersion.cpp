// The window layer starts here; every subsystem adds its folder beside this file.
namespace vorlane::ui {
int uiLayerVersion() { return 1; }
}
