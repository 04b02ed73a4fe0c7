// The sources of pixport.dll have not been written yet. The target exists so that the build,
// the install folder and the import bindings already have their final shape.
