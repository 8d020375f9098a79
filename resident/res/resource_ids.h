#pragma once
// Resource and command identifiers of the resident program, shared by the
// resource script and the code.
#define IDI_VISTRANE 1
#define IDR_POPMENU 100

#define ID_POPSETTING 1001
#define ID_POPVERSION 1002
#define ID_POPEXIT 1003

// frmVersion's Image1: the 32 x 32 picture of the product.
#define IDB_VERSION_IMAGE1 101
