# Folders shared by the Windows build and test scripts; sourced from the repository root.
WINDOWS_BUILD=${GLIMMERDROP_WINDOWS_BUILD:-$PWD/build-windows}
case $WINDOWS_BUILD in
  /*) ;;
  *) WINDOWS_BUILD=$PWD/$WINDOWS_BUILD ;;
esac
