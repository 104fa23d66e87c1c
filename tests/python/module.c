/* A Python extension built with the tools, as a binding of TRESK is: tables() gives the
   compiled tables, ord2utf32(value) what the UTF-32 writer returns and writes.
   SPDX-License-Identifier: BSD-2-Clause
   Copyright (c) 2026 The TRESK build tools authors */
#define PY_SSIZE_T_CLEAN
#include <Python.h>

#include "tresk_internal.h"

static PyObject* tables(PyObject* self, PyObject* args) {
  (void)self;
  (void)args;
  return PyBytes_FromStringAndSize((const char*)PRIV(default_tables), 1088);
}

static PyObject* ord2utf32(PyObject* self, PyObject* value) {
  uint32_t unit = 0;
  uint32_t count = PRIV(ord2utf_32)((uint32_t)PyLong_AsUnsignedLong(value), &unit);
  (void)self;
  return Py_BuildValue("(kk)", (unsigned long)count, (unsigned long)unit);
}

static PyMethodDef methods[] = {{"tables", tables, METH_NOARGS, NULL},
                                {"ord2utf32", ord2utf32, METH_O, NULL},
                                {NULL, NULL, 0, NULL}};
static struct PyModuleDef module = {PyModuleDef_HEAD_INIT, "_tresk", NULL, -1, methods,
                                    NULL, NULL, NULL, NULL};

PyMODINIT_FUNC PyInit__tresk(void) {
  return PyModule_Create(&module);
}
