// Keeps the form library non-empty until its sources land.
namespace zelvo {
int form_vuoto_ = 0;
}
